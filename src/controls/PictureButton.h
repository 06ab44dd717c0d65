#pragma once

#include "controls/Picture.h"

#include <QTimer>
#include <QWidget>
#include <functional>

namespace tavorin {

class PropertyBag;
struct PointerReport;

// A button drawn entirely from three pictures: Picture (idle), PictureHover (pointer over it) and
// PictureDown (left button held on it). It shows one at a time in its top-left corner at its natural size
// and always takes that size. The pointer-over phase begins with MouseEnter on a plain move and ends with
// MouseLeave when the 1 ms poll of Timer1 finds the pointer gone; only a button in that phase polls.
//
// State(): 1 hover, 2 down, any other value idle. The four values of MouseMove, MouseUp and MouseDown are
// references: a directly connected handler may change them, and the control acts on Button as the handler
// left it.
//
// The keyboard reaches the button through Tab only, so a click leaves the focus where it was. A focused
// button shows a dotted mark over its picture; Space (on release) and Enter (on press, not on auto-repeat)
// raise Click and nothing else: no mouse event, no change of State or picture.
class PictureButton final : public QWidget
{
    Q_OBJECT

public:
    explicit PictureButton(QWidget* parent = nullptr);

    // The getters return the held object itself, or nullptr for none. Each setter keeps the caller's
    // object, redraws at once with the current state's picture, then emits PropertyChanged with the
    // property's name: "Picture", "PictureHover" or "PictureDown".
    tavorin::Picture picture() const;
    void setPicture(const tavorin::Picture& newPicture);
    tavorin::Picture pictureHover() const;
    void setPictureHover(const tavorin::Picture& newPictureHover);
    tavorin::Picture pictureDown() const;
    void setPictureDown(const tavorin::Picture& newPictureDown);

    short State() const;
    bool Hovering() const;

    // A new control with nothing stored for it: all three pictures none. Neither this nor ReadProperties
    // redraws; the first resize from the container shows the idle picture.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Answers "is the window under the pointer this control's own?". An empty function restores the
    // toolkit's own answer.
    void setPointerProbe(std::function<bool()> probe);

signals:
    void Click();
    void DblClick();
    void MouseMove(short& Button, short& Shift, float& X, float& Y);
    void MouseUp(short& Button, short& Shift, float& X, float& Y);
    void MouseDown(short& Button, short& Shift, float& X, float& Y);
    void MouseEnter();
    void MouseLeave();
    void PropertyChanged(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Timer1_Timer();
    void ShowState();
    bool IsPointerOver() const;
    bool toolkitSaysPointerOver() const;
    void notePointerPosition(const QMouseEvent& event);
    const tavorin::Picture& pictureOfState() const;
    void storePicture(tavorin::Picture& field, const tavorin::Picture& value, const QString& name);
    void enterPointerOverPhase();

    tavorin::Picture m_picture;
    tavorin::Picture m_pictureHover;
    tavorin::Picture m_pictureDown;
    short m_state = 0;
    bool m_hovering = false;
    // Whether the last pointer report fell inside the control. While a button is held the toolkit keeps
    // the control "under the mouse" even when the pointer has been dragged off it; this corrects that.
    bool m_pointerInside = false;
    bool m_leftPressed = false;
    // Space clicks on its release, and only after its press came to this button.
    bool m_spacePressed = false;
    std::function<bool()> m_pointerProbe;
    QTimer m_Timer1 { this };
};

} // namespace tavorin
