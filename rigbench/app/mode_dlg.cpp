#include "mode_dlg.h"

#include <QComboBox>
#include <QLineEdit>

CModeDlg::CModeDlg(QWidget* parent) : ToolWindow(parent, 125, 95) {
    modeCombo = new QComboBox(this);
    modeCombo->setEditable(true);
    modeCombo->setInsertPolicy(QComboBox::NoInsert);
    const QRect area = unitsToPixels(7, 7, 111, 59);
    modeCombo->setGeometry(area.x(), area.y(), area.width(), modeCombo->sizeHint().height());
    // The box's list drops down as a window of its own, so the tool window needs only the box's height
    // and the same margin below it: docked over the part list, it leaves the view more room.
    setFixedSize(width(), modeCombo->geometry().bottom() + 1 + area.y());
    modeCombo->addItem(tr("パーツ移動モード"));
    modeCombo->addItem(tr("関節接着モード"));
    // A sorted box; the two names already stand in their sorted order, so sorting keeps item 0 as
    // part move mode, which is what the view reads.
    modeCombo->model()->sort(0);

    // Typing into the box leaves no item selected, whatever the text; choosing an item selects again.
    connect(modeCombo->lineEdit(), &QLineEdit::textEdited, this, [this] { typed_ = true; });
    connect(modeCombo, &QComboBox::activated, this, [this] { typed_ = false; });
    connect(modeCombo, &QComboBox::currentIndexChanged, this, [this] { typed_ = false; });
}

CModeDlg::Mode CModeDlg::mode() const {
    return !typed_ && modeCombo->currentIndex() == 1 ? JointAttach : PartMove;
}
