#include "part_dlg.h"

#include "rigbench_doc.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

CPartDlg* thePartDlg = nullptr;

CPartDlg::CPartDlg(CrigbenchDoc& doc, QWidget* parent) : ToolWindow(parent, 186, 205), document(&doc) {
    partList = new QListWidget(this);
    partList->setGeometry(unitsToPixels(7, 7, 156, 105));
    partList->setSelectionMode(QAbstractItemView::SingleSelection);
    partList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto button = [this](const QString& text, int x, int y, int w, int h) {
        auto* b = new QPushButton(text, this);
        b->setGeometry(unitsToPixels(x, y, w, h));
        b->setAutoDefault(false);
        return b;
    };
    appendButton = button(QStringLiteral("Append"), 7, 117, 172, 10);
    deleteButton = button(QStringLiteral("Delete"), 7, 128, 172, 11);
    folderEdit = new QLineEdit(this);
    folderEdit->setGeometry(unitsToPixels(7, 142, 172, 12));
    upButton = button(QStringLiteral("↑"), 166, 39, 13, 15);
    downButton = button(QStringLiteral("↓"), 167, 72, 12, 16);
    savePoseButton = button(QStringLiteral("Save Pose"), 7, 166, 172, 14);
    loadPoseButton = button(QStringLiteral("Load Pose"), 7, 181, 172, 16);
    for (QPushButton* b : {appendButton, deleteButton, upButton, downButton, savePoseButton, loadPoseButton}) {
        b->setEnabled(false);
    }

    connect(partList, &QListWidget::currentRowChanged, this, [this](int) { document->UpdateAllViews(); });

    thePartDlg = this;
    // A model opened before this window existed (from the command line) is listed straight away.
    refreshPartList();
}

void CPartDlg::refreshPartList() {
    partList->clear();
    for (const EditPart& part : document->model.parts) {
        partList->addItem(QString::fromStdString(part.path));
        partList->setCurrentRow(partList->count() - 1);
    }
    document->UpdateAllViews();
}

int CPartDlg::currentPart() const {
    return partList->currentRow();
}
