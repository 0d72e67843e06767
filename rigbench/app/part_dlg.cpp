#include "part_dlg.h"

#include "editor_texts.h"
#include "link_panel.h"
#include "part_files.h"
#include "part_maker_dlg.h"
#include "rigbench_doc.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
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
    appendButton = button(tr("Append"), 7, 117, 172, 10);
    deleteButton = button(tr("Delete"), 7, 128, 172, 11);
    // The prefix shares its row with its label; Alt and the label's letter go to the field.
    const QRect prefixRow = unitsToPixels(7, 142, 172, 12);
    folderEdit = new QLineEdit(this);
    folderLabel = new QLabel(texts::folderPrefixLabel(), this);
    folderLabel->setBuddy(folderEdit);
    const int labelWidth = folderLabel->sizeHint().width();
    folderLabel->setGeometry(prefixRow.x(), prefixRow.y(), labelWidth, prefixRow.height());
    folderEdit->setGeometry(prefixRow.adjusted(labelWidth + 4, 0, 0, 0));
    upButton = button(tr("↑"), 166, 39, 13, 15);
    downButton = button(tr("↓"), 167, 72, 12, 16);
    savePoseButton = button(tr("Save Pose"), 7, 166, 172, 14);
    loadPoseButton = button(tr("Load Pose"), 7, 181, 172, 16);
    makePartButton = button(tr("絵からパーツを作成..."), 7, 201, 172, 14);
    linkPanel = new LinkPanel(
        *document, [this] { return currentPart(); }, this);
    linkPanel->setGeometry(unitsToPixels(7, 219, 172, 62));
    setFixedSize(unitsToPixels(0, 0, 186, 288).size());

    connect(appendButton, &QPushButton::clicked, this, [this] {
        const QString chosen = askForFile(tr("Part Files (*.part)"), false);
        if (!chosen.isEmpty()) appendPart(chosen);
    });
    connect(deleteButton, &QPushButton::clicked, this, &CPartDlg::OnDelete);
    connect(upButton, &QPushButton::clicked, this, &CPartDlg::OnMoveUp);
    connect(downButton, &QPushButton::clicked, this, &CPartDlg::OnMoveDown);
    connect(savePoseButton, &QPushButton::clicked, this, [this] {
        const QString chosen = askForFile(tr("Pose Files (*.pose)"), true);
        if (!chosen.isEmpty()) savePose(chosen);
    });
    connect(loadPoseButton, &QPushButton::clicked, this, [this] {
        const QString chosen = askForFile(tr("Pose Files (*.pose)"), false);
        if (!chosen.isEmpty()) loadPose(chosen);
    });

    connect(makePartButton, &QPushButton::clicked, this, [this] {
        const QString chosen = askForFile(tr("PNG 画像 (*.png)"), false);
        if (!chosen.isEmpty()) makePartFromPicture(chosen);
    });

    connect(partList, &QListWidget::itemSelectionChanged, this, [this] {
        linkPanel->refresh();
        document->UpdateAllViews();
    });

    thePartDlg = this;
    // A model opened before this window existed (from the command line) is listed straight away.
    refreshPartList();
}

CPartDlg::~CPartDlg() {
    if (thePartDlg == this) thePartDlg = nullptr;
}

QString CPartDlg::askForFile(const QString& filter, bool forSaving) {
    if (chooseFile) return chooseFile(filter, forSaving);
    // Poses start in the model's folder; parts in the working folder, where the prefix applies.
    const bool pose = filter.contains(QStringLiteral("*.pose"));
    const QString folder = pose ? poseFolder() : QDir::currentPath();
    if (!forSaving) return QFileDialog::getOpenFileName(this, QString(), folder, filter);
    QFileDialog dialog(this, QString(), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pose"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

void CPartDlg::refreshPartList() {
    emit partsChanged();
    partList->clear();
    for (const EditPart& part : document->model.parts) {
        partList->addItem(QString::fromStdString(part.path));
        partList->setCurrentRow(partList->count() - 1);
    }
    document->UpdateAllViews();
}

int CPartDlg::currentPart() const {
    // The selection, not the current row: Ctrl+click on the selected row clears the selection and
    // leaves the current row where it was.
    const QList<QListWidgetItem*> selected = partList->selectedItems();
    return selected.isEmpty() ? -1 : partList->row(selected.constFirst());
}

void CPartDlg::appendPart(const QString& chosenFile) {
    // Part files are named relative to the program folder, through the typed prefix, so that the
    // model records the relative path the game reads; the folder chosen in the dialog is not used.
    QString path = folderEdit->text() + QFileInfo(chosenFile).fileName();
    // The part shown must be the file picked: when the rule names another file, or none, the modder
    // stores a path that reaches the picked one or copies it (with its picture) beside the model.
    const QDir working = QDir::current();
    const QString resolved = resolveGamePath(working, path);
    if (QFileInfo(chosenFile).isFile() && !sameFile(resolved, chosenFile)) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("rigbench"),
                        texts::appendResolvesElsewhere(chosenFile, path, QFileInfo::exists(resolved)),
                        QMessageBox::Yes | QMessageBox::Save | QMessageBox::Cancel, this);
        box.button(QMessageBox::Yes)->setText(texts::storePathButton());
        box.button(QMessageBox::Save)->setText(texts::copyBesideButton());
        box.setDefaultButton(QMessageBox::Yes);
        const int answer = box.exec();
        if (answer == QMessageBox::Yes) {
            path = gamePathFrom(working, chosenFile);
        } else if (answer == QMessageBox::Save) {
            QString error;
            path = copyPartWithPicture(chosenFile, working, QFileInfo(chosenFile).fileName(), error);
            if (path.isEmpty()) {
                QMessageBox::warning(this, QStringLiteral("rigbench"), texts::copyFailed(chosenFile, error));
                return;
            }
        } else {
            return;
        }
    }
    document->appendPart(path.toStdString());
    partList->addItem(path);
    partList->setCurrentRow(partList->count() - 1);
    emit partsChanged();
    document->UpdateAllViews();
    emit told(texts::partAppended(path));
}

void CPartDlg::OnDelete() {
    const int s = currentPart();
    if (s < 0) return;
    document->deletePart(s);
    delete partList->takeItem(s);
    partList->setCurrentRow(s == partList->count() ? s - 1 : s);
    emit partsChanged();
    document->UpdateAllViews();
}

void CPartDlg::OnMoveUp() {
    const int s = currentPart();
    if (s <= 0) return;
    document->swapParts(s, s - 1);
    QListWidgetItem* item = partList->takeItem(s);
    partList->insertItem(s - 1, item);
    partList->setCurrentRow(s - 1);
    emit partsChanged();
    document->UpdateAllViews();
}

void CPartDlg::OnMoveDown() {
    const int s = currentPart();
    if (s < 0 || s >= partList->count() - 1) return;
    document->swapParts(s, s + 1);
    QListWidgetItem* item = partList->takeItem(s);
    partList->insertItem(s + 1, item);
    partList->setCurrentRow(s + 1);
    emit partsChanged();
    document->UpdateAllViews();
}

void CPartDlg::savePose(const QString& path) {
    if (!document->savePose(path.toStdString())) {
        QMessageBox::warning(
            this, QStringLiteral("rigbench"),
            tr("%1\nを保存できません。\n%2")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(document->errorString())));
        return;
    }
    emit told(texts::poseSaved(QFileInfo(path).absoluteFilePath()));
}

bool CPartDlg::makePartFromPicture(const QString& picture) {
    // The part goes beside the model, and is named from the working folder as Append names parts.
    const std::string& model = document->pathName();
    const QString folder =
        model.empty() ? QDir::currentPath() : QFileInfo(QString::fromStdString(model)).absolutePath();
    PartMakerDlg maker(picture, folder, this);
    if (!maker.pictureLoaded()) {
        QMessageBox::warning(
            this, QStringLiteral("rigbench"),
            tr("%1\nを開けません。\nPNG 画像として読めないか、大きすぎます (一辺 %2 ピクセルまで)。")
                .arg(QDir::toNativeSeparators(picture))
                .arg(PartMakerDlg::kLongestSide));
        return false;
    }
    if (partMakerOpened) partMakerOpened(maker);
    if (maker.exec() != QDialog::Accepted) return false;
    const QString path =
        QDir::current().relativeFilePath(maker.madePartFile()).replace(QLatin1Char('/'), QLatin1Char('\\'));
    document->appendPart(path.toStdString());
    refreshPartList();
    emit told(texts::partAppended(path));
    return true;
}

void CPartDlg::loadPose(const QString& path) {
    const std::size_t length = CrigbenchDoc::poseLength(path.toStdString());
    document->loadPose(path.toStdString());
    document->UpdateAllViews();
    emit told(texts::poseLoaded(QFileInfo(path).absoluteFilePath()));
    // Loaded all the same, as far as it goes; but a pose for another puppet scrambles this one.
    const std::size_t parts = document->model.parts.size();
    if (length != parts * 16) {
        QMessageBox::warning(
            this, QStringLiteral("rigbench"),
            texts::poseForOtherPartCount(path, static_cast<int>(length), static_cast<int>(parts)));
    }
}

QString CPartDlg::poseFolder() const {
    const std::string& model = document->pathName();
    return model.empty() ? QDir::currentPath() : QFileInfo(QString::fromStdString(model)).absolutePath();
}
