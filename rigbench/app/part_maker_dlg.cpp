#include "part_maker_dlg.h"

#include "sketch_canvas.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// An item of the list: a joint or a circle, by its index in the sketch.
constexpr int kIsCircleRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

QString pixels(float value) {
    return QString::number(static_cast<double>(value), 'f', 1);
}

}  // namespace

PartMakerDlg::PartMakerDlg(const QString& picture, const QString& folder, QWidget* parent)
    : QDialog(parent), picture_(picture), folder_(folder) {
    setWindowTitle(tr("絵からパーツを作成"));
    image_.load(picture);
    if (!image_.isNull()) image_ = image_.convertToFormat(QImage::Format_RGBA8888);
    sketch_ = PartSketch::forPicture(image_.width(), image_.height());

    canvas = new SketchCanvas(sketch_, image_, this);
    nameEdit = new QLineEdit(QFileInfo(picture).completeBaseName(), this);
    jointTool = new QRadioButton(tr("関節"), this);
    bodyTool = new QRadioButton(tr("体の円"), this);
    attackTool = new QRadioButton(tr("攻撃の円"), this);
    jointTool->setChecked(true);

    const double longest = std::max(sketch_.pictureWidth, sketch_.pictureHeight);
    auto spin = [this, longest](double low, double value) {
        auto* box = new QDoubleSpinBox(this);
        box->setDecimals(1);
        box->setRange(low, 8.0 * longest);
        box->setValue(value);
        return box;
    };
    centreXBox = spin(-8.0 * longest, sketch_.squareCentre.x);
    centreYBox = spin(-8.0 * longest, sketch_.squareCentre.y);
    sideBox = spin(1.0, sketch_.squareSide);

    itemList = new QListWidget(this);
    deleteItemButton = new QPushButton(tr("削除"), this);
    deleteItemButton->setAutoDefault(false);

    const int paddedWidth = powerOfTwoAtLeast(sketch_.pictureWidth);
    const int paddedHeight = powerOfTwoAtLeast(sketch_.pictureHeight);
    padBox = new QCheckBox(tr("2 のべき乗の大きさに広げた写しを使う (%1×%2 → %3×%4)")
                               .arg(sketch_.pictureWidth)
                               .arg(sketch_.pictureHeight)
                               .arg(paddedWidth)
                               .arg(paddedHeight),
                           this);
    padBox->setToolTip(tr("ゲームのテクスチャは辺が 2 のべき乗の絵でなければなりません"));
    padBox->setChecked(needsPadding());
    padBox->setVisible(needsPadding());

    auto* buttons = new QDialogButtonBox(this);
    makeButton = buttons->addButton(tr("作成"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &PartMakerDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PartMakerDlg::reject);

    auto* tools = new QHBoxLayout;
    tools->addWidget(jointTool);
    tools->addWidget(bodyTool);
    tools->addWidget(attackTool);
    auto* square = new QGroupBox(tr("パーツの正方形 (絵のピクセル)"), this);
    auto* squareForm = new QFormLayout(square);
    squareForm->addRow(tr("中心 X"), centreXBox);
    squareForm->addRow(tr("中心 Y"), centreYBox);
    squareForm->addRow(tr("一辺"), sideBox);
    auto* side = new QVBoxLayout;
    auto* form = new QFormLayout;
    form->addRow(tr("名前"), nameEdit);
    form->addRow(tr("道具"), tools);
    side->addLayout(form);
    side->addWidget(new QLabel(tr("関節: 絵をクリック\n円: 中心から外へドラッグ"), this));
    side->addWidget(square);
    side->addWidget(new QLabel(tr("関節と円"), this));
    side->addWidget(itemList);
    side->addWidget(deleteItemButton);
    auto* top = new QHBoxLayout;
    top->addWidget(canvas, 1);
    top->addLayout(side);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(top, 1);
    whole->addWidget(padBox);
    whole->addWidget(buttons);
    resize(760, 480);

    connect(jointTool, &QRadioButton::toggled, this, [this](bool on) {
        if (on) canvas->setTool(SketchCanvas::Joint);
    });
    connect(bodyTool, &QRadioButton::toggled, this, [this](bool on) {
        if (on) canvas->setTool(SketchCanvas::BodyCircle);
    });
    connect(attackTool, &QRadioButton::toggled, this, [this](bool on) {
        if (on) canvas->setTool(SketchCanvas::AttackCircle);
    });
    for (QDoubleSpinBox* box : {centreXBox, centreYBox, sideBox})
        connect(box, &QDoubleSpinBox::valueChanged, this, &PartMakerDlg::squareEdited);
    connect(canvas, &SketchCanvas::sketchChanged, this, &PartMakerDlg::refreshItems);
    connect(deleteItemButton, &QPushButton::clicked, this, &PartMakerDlg::deleteSelectedItem);
}

bool PartMakerDlg::needsPadding() const {
    return !isPowerOfTwo(sketch_.pictureWidth) || !isPowerOfTwo(sketch_.pictureHeight);
}

void PartMakerDlg::squareEdited() {
    sketch_.squareCentre = {static_cast<float>(centreXBox->value()), static_cast<float>(centreYBox->value())};
    sketch_.squareSide = static_cast<float>(sideBox->value());
    canvas->update();
}

void PartMakerDlg::refreshItems() {
    itemList->clear();
    for (std::size_t j = 0; j < sketch_.joints.size(); ++j) {
        const Point2& p = sketch_.joints[j];
        auto* item =
            new QListWidgetItem(tr("関節 %1 (%2, %3)").arg(j).arg(pixels(p.x), pixels(p.y)), itemList);
        item->setData(kIsCircleRole, false);
        item->setData(kIndexRole, static_cast<int>(j));
    }
    for (std::size_t b = 0; b < sketch_.circles.size(); ++b) {
        const SketchCircle& c = sketch_.circles[b];
        const QString kind = c.kind == PartSketch::kAttackKind ? tr("攻撃の円") : tr("体の円");
        auto* item = new QListWidgetItem(
            tr("%1 (%2, %3) 半径 %4").arg(kind, pixels(c.centre.x), pixels(c.centre.y), pixels(c.radius)),
            itemList);
        item->setData(kIsCircleRole, true);
        item->setData(kIndexRole, static_cast<int>(b));
    }
}

void PartMakerDlg::deleteSelectedItem() {
    const QListWidgetItem* item = itemList->currentItem();
    if (!item) return;
    const auto index = static_cast<std::size_t>(item->data(kIndexRole).toInt());
    if (item->data(kIsCircleRole).toBool()) {
        if (index < sketch_.circles.size())
            sketch_.circles.erase(sketch_.circles.begin() + static_cast<long>(index));
    } else if (index < sketch_.joints.size()) {
        sketch_.joints.erase(sketch_.joints.begin() + static_cast<long>(index));
    }
    refreshItems();
    canvas->update();
}

void PartMakerDlg::accept() {
    if (writeFiles()) QDialog::accept();
}

bool PartMakerDlg::mayWrite(const QString& file, const QByteArray& contents) {
    QFile existing(file);
    if (!existing.exists()) return true;
    // The very same bytes need no asking: nothing of the modder's would be lost.
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == contents) return true;
    if (confirmOverwrite) return confirmOverwrite(file);
    return QMessageBox::question(
               this, QStringLiteral("rigbench"),
               tr("%1 は既に存在します。\n上書きしますか?").arg(QDir::toNativeSeparators(file)),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool PartMakerDlg::writeFile(const QString& file, const QByteArray& contents) {
    QFile existing(file);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == contents) return true;
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(contents) == contents.size() && out.commit()) return true;
    QMessageBox::warning(
        this, QStringLiteral("rigbench"),
        tr("%1\nを保存できません。\n%2").arg(QDir::toNativeSeparators(file), out.errorString()));
    return false;
}

bool PartMakerDlg::writeFiles() {
    const QString name = nameEdit->text().trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
        QMessageBox::warning(this, QStringLiteral("rigbench"),
                             tr("パーツの名前を入力してください (フォルダの区切りは使えません)。"));
        return false;
    }
    const QDir folder(folder_);
    const QFileInfo source(picture_);

    // The texture: the picture itself when it already lies in the folder and the game can use it as
    // it is; otherwise a copy beside the part, padded with clear pixels to power-of-two sides if asked.
    QString textureName = source.fileName();
    QByteArray textureBytes;
    const bool pad = needsPadding() && padBox->isChecked();
    sketch_.textureWidth = pad ? powerOfTwoAtLeast(sketch_.pictureWidth) : sketch_.pictureWidth;
    sketch_.textureHeight = pad ? powerOfTwoAtLeast(sketch_.pictureHeight) : sketch_.pictureHeight;
    if (pad) {
        textureName = QStringLiteral("%1_%2x%3.png")
                          .arg(source.completeBaseName())
                          .arg(sketch_.textureWidth)
                          .arg(sketch_.textureHeight);
        QImage padded(sketch_.textureWidth, sketch_.textureHeight, QImage::Format_RGBA8888);
        padded.fill(Qt::transparent);
        {
            QPainter painter(&padded);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, image_);
        }
        QBuffer buffer(&textureBytes);
        buffer.open(QIODevice::WriteOnly);
        padded.save(&buffer, "PNG");
    } else if (source.absoluteDir() != folder) {
        QFile original(picture_);
        if (original.open(QIODevice::ReadOnly)) textureBytes = original.readAll();
    }
    sketch_.texture = textureName.toStdString();

    const QString partFile = folder.absoluteFilePath(name + QStringLiteral(".part"));
    const QByteArray partBytes = QByteArray::fromStdString(sketch_.partText());
    const QString textureFile = folder.absoluteFilePath(textureName);
    const bool writeTexture = !textureBytes.isEmpty();
    if (writeTexture && !mayWrite(textureFile, textureBytes)) return false;
    if (!mayWrite(partFile, partBytes)) return false;
    if (writeTexture && !writeFile(textureFile, textureBytes)) return false;
    if (!writeFile(partFile, partBytes)) return false;
    madePartFile_ = partFile;
    return true;
}
