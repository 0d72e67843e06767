#pragma once

#include <QLabel>

// A one-line label that asks for no more than a given share of room and, when its text does not fit,
// shows it shortened in the middle ("/home/…/hero"). text() stays whole. The status bar's working
// folder uses it, so that a long folder never hides the message beside it.
class ElidingLabel : public QLabel {
public:
    // widestChars: how many average characters wide the label may ask to be.
    ElidingLabel(int widestChars, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int widestChars_;
};
