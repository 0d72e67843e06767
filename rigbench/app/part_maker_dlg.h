#pragma once
// "A part from a picture": lays the part's square over a PNG picture, takes joints and body and attack
// circles from the mouse, and writes NAME.part (with its texture) into the model's folder.

#include "part_sketch.h"

#include <QDialog>
#include <QImage>

#include <functional>

class QCheckBox;
class QDoubleSpinBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class SketchCanvas;

class PartMakerDlg : public QDialog {
    Q_OBJECT
public:
    // picture: the PNG the part shows; folder: where the part file and its texture are written.
    PartMakerDlg(const QString& picture, const QString& folder, QWidget* parent);

    // The longest side a picture may have: its padded texture stays within what GL drivers take.
    static constexpr int kLongestSide = 4096;
    // False when the picture could not be read or is too large; the dialog is then not worth showing.
    bool pictureLoaded() const {
        return !image_.isNull() && image_.width() <= kLongestSide && image_.height() <= kLongestSide;
    }
    // Whether the picture's sides are powers of two, as the game's textures must be.
    bool needsPadding() const;
    PartSketch& sketch() { return sketch_; }
    // The written part file, once the dialog was accepted.
    const QString& madePartFile() const { return madePartFile_; }

    // Writes the files and closes; stays open when something could not be written or an overwrite
    // was declined.
    void accept() override;

    // Asked before a file that exists is replaced; true to replace it. Unset, a message box asks
    // (No by default); tests put their own answer here.
    std::function<bool(const QString& file)> confirmOverwrite;

    SketchCanvas* canvas;
    QLineEdit* nameEdit;
    QRadioButton* jointTool;
    QRadioButton* bodyTool;
    QRadioButton* attackTool;
    QDoubleSpinBox* centreXBox;
    QDoubleSpinBox* centreYBox;
    QDoubleSpinBox* sideBox;
    QListWidget* itemList;
    QPushButton* deleteItemButton;
    QCheckBox* padBox;
    QPushButton* makeButton;

private:
    bool writeFiles();
    bool mayWrite(const QString& file, const QByteArray& contents);
    bool writeFile(const QString& file, const QByteArray& contents);
    void refreshItems();
    void deleteSelectedItem();
    void squareEdited();

    QString picture_;
    QString folder_;
    QImage image_;
    PartSketch sketch_;
    QString madePartFile_;
};
