#pragma once
// What the editor's two tool windows share: a small window laid out in dialog units, which Enter,
// Escape and close requests leave open. The main window holds each in a dock of its own (which the
// modder may close and bring back from the View menu); a view without one shows them as windows.

#include <QDialog>
#include <QRect>

class ToolWindow : public QDialog {
    Q_OBJECT
public:
    ToolWindow(QWidget* parent, int widthUnits, int heightUnits);

    void accept() override {}
    void reject() override {}
    // Puts the window beside the given main window, on the screen if there is room, else just inside
    // its right edge.
    void placeBeside(QWidget* mainWindow);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Dialog units: a quarter of the font's average character width across, an eighth of its height down.
    QRect unitsToPixels(int x, int y, int width, int height) const;
};
