#include "Quantise.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <climits>

namespace tavorin::art {

namespace {

    struct Sample
    {
        QRgb colour;
        qint64 count;
    };

    int channel(QRgb colour, int axis)
    {
        switch (axis) {
        case 0:
            return qRed(colour);
        case 1:
            return qGreen(colour);
        default:
            return qBlue(colour);
        }
    }

    struct Box
    {
        QList<Sample> samples;

        std::pair<int, int> widestAxis() const
        {
            int bestAxis = 0;
            int bestRange = -1;
            for (int axis = 0; axis < 3; ++axis) {
                const auto [low, high] = std::minmax_element(
                    samples.begin(), samples.end(), [axis](const Sample& a, const Sample& b) {
                        return channel(a.colour, axis) < channel(b.colour, axis);
                    });
                const int range = channel(high->colour, axis) - channel(low->colour, axis);
                if (range > bestRange) {
                    bestRange = range;
                    bestAxis = axis;
                }
            }
            return { bestAxis, bestRange };
        }

        QRgb mean() const
        {
            std::array<qint64, 3> sums {};
            qint64 total = 0;
            for (const Sample& sample : samples) {
                for (int axis = 0; axis < 3; ++axis)
                    sums[axis] += channel(sample.colour, axis) * sample.count;
                total += sample.count;
            }
            return qRgb(int((sums[0] + total / 2) / total), int((sums[1] + total / 2) / total),
                int((sums[2] + total / 2) / total));
        }
    };

    QList<Sample> histogram(const QImage& picture)
    {
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
        QHash<QRgb, qint64> counts;
        for (int y = 0; y < rgb.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x)
                ++counts[line[x] | 0xff000000u];
        }
        QList<Sample> samples;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            samples.append({ it.key(), it.value() });
        // A fixed order keeps the palette the same from run to run.
        std::sort(samples.begin(), samples.end(),
            [](const Sample& a, const Sample& b) { return a.colour < b.colour; });
        return samples;
    }

    std::pair<Box, Box> split(const Box& box, int axis)
    {
        QList<Sample> sorted = box.samples;
        std::stable_sort(sorted.begin(), sorted.end(), [axis](const Sample& a, const Sample& b) {
            return channel(a.colour, axis) < channel(b.colour, axis);
        });
        qint64 total = 0;
        for (const Sample& sample : sorted)
            total += sample.count;
        qint64 running = 0;
        qsizetype cut = 1;
        for (; cut < sorted.size() - 1; ++cut) {
            running += sorted[cut - 1].count;
            if (running * 2 >= total)
                break;
        }
        return { Box { sorted.mid(0, cut) }, Box { sorted.mid(cut) } };
    }

    int nearest(QRgb colour, const QList<QRgb>& palette)
    {
        int best = 0;
        int bestDistance = INT_MAX;
        for (int i = 0; i < palette.size(); ++i) {
            const int dr = qRed(colour) - qRed(palette[i]);
            const int dg = qGreen(colour) - qGreen(palette[i]);
            const int db = qBlue(colour) - qBlue(palette[i]);
            const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        return best;
    }

} // namespace

QList<QRgb> medianCutPalette(const QImage& picture, int maxColours)
{
    const QList<Sample> samples = histogram(picture);
    if (samples.size() <= maxColours) {
        QList<QRgb> palette;
        for (const Sample& sample : samples)
            palette.append(sample.colour);
        return palette;
    }
    QList<Box> boxes { Box { samples } };
    while (boxes.size() < maxColours) {
        qsizetype widest = -1;
        int widestRange = 0;
        int widestAxis = 0;
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            if (boxes[i].samples.size() < 2)
                continue;
            const auto [axis, range] = boxes[i].widestAxis();
            if (range > widestRange) {
                widestRange = range;
                widestAxis = axis;
                widest = i;
            }
        }
        if (widest < 0)
            break;
        auto [low, high] = split(boxes[widest], widestAxis);
        boxes[widest] = std::move(low);
        boxes.append(std::move(high));
    }
    QList<QRgb> palette;
    for (const Box& box : boxes)
        palette.append(box.mean());
    return palette;
}

QImage mapToPalette(const QImage& picture, const QList<QRgb>& palette)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    QHash<QRgb, int> chosen;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = in[x] | 0xff000000u;
            auto it = chosen.find(colour);
            if (it == chosen.end())
                it = chosen.insert(colour, nearest(colour, palette));
            out[x] = uchar(it.value());
        }
    }
    return indexed;
}

} // namespace tavorin::art
