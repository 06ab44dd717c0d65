#pragma once

#include <QWidget>

namespace tavorin {

// An invisible click target over a drawn part of the background (Image3).
class HotSpot final : public QWidget
{
    Q_OBJECT

public:
    explicit HotSpot(QWidget* parent = nullptr);

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

} // namespace tavorin
