#include "launch/WindowsCommandLine.h"

namespace tavorin {
namespace {

    bool isSeparator(QChar c)
    {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t');
    }

    class Splitter final
    {
    public:
        explicit Splitter(QStringView line)
            : m_line(line)
        {
        }

        QStringList words()
        {
            while (skipSeparators())
                m_words.append(readWord());
            return m_words;
        }

    private:
        bool skipSeparators()
        {
            while (m_pos < m_line.size() && isSeparator(m_line[m_pos]))
                ++m_pos;
            return m_pos < m_line.size();
        }

        QString readWord()
        {
            QString word;
            bool quoted = false;
            while (m_pos < m_line.size()) {
                const QChar c = m_line[m_pos];
                if (!quoted && isSeparator(c))
                    break;
                if (c == QLatin1Char('\\'))
                    readBackslashes(word, quoted);
                else if (c == QLatin1Char('"'))
                    readQuote(word, quoted);
                else {
                    word.append(c);
                    ++m_pos;
                }
            }
            return word;
        }

        void readBackslashes(QString& word, bool& quoted)
        {
            qsizetype count = 0;
            while (m_pos < m_line.size() && m_line[m_pos] == QLatin1Char('\\')) {
                ++count;
                ++m_pos;
            }
            const bool beforeQuote = m_pos < m_line.size() && m_line[m_pos] == QLatin1Char('"');
            if (!beforeQuote) {
                word.append(QString(count, QLatin1Char('\\')));
                return;
            }
            word.append(QString(count / 2, QLatin1Char('\\')));
            if (count % 2 == 1) {
                word.append(QLatin1Char('"'));
                ++m_pos;
            } else {
                readQuote(word, quoted);
            }
        }

        void readQuote(QString& word, bool& quoted)
        {
            ++m_pos;
            const bool doubled = m_pos < m_line.size() && m_line[m_pos] == QLatin1Char('"');
            if (quoted && doubled) {
                word.append(QLatin1Char('"'));
                ++m_pos;
                return;
            }
            quoted = !quoted;
        }

        QStringView m_line;
        qsizetype m_pos = 0;
        QStringList m_words;
    };

} // namespace

QStringList splitWindowsCommandLine(QStringView line)
{
    return Splitter(line).words();
}

} // namespace tavorin
