#include "link_panel.h"

#include "rigbench_doc.h"

#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

QString partName(const EditModel& model, int part) {
    const QString path = QString::fromStdString(model.parts[static_cast<std::size_t>(part)].path);
    return path.mid(std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/'))) + 1);
}

}  // namespace

LinkPanel::LinkPanel(CrigbenchDoc& document, std::function<int()> selectedPart, QWidget* parent)
    : QWidget(parent), document_(document), selectedPart_(std::move(selectedPart)) {
    linkList = new QListWidget(this);
    linkList->setSelectionMode(QAbstractItemView::SingleSelection);
    linkList->setToolTip(
        tr("選択中のパーツのリンク\n関節接着モードで 2 つ目の関節を Shift+クリックすると、"
           "そのパーツが 1 つ目の関節へ寄り、長さ 0 でつながります"));
    deleteButton = new QPushButton(tr("リンクを削除"), this);
    deleteButton->setAutoDefault(false);
    deleteButton->setToolTip(tr("選択したリンクだけを削除"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(linkList, 1);
    layout->addWidget(deleteButton);
    connect(deleteButton, &QPushButton::clicked, this, &LinkPanel::deleteSelected);
    auto* deleteKey = new QShortcut(QKeySequence::Delete, linkList);
    deleteKey->setContext(Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, &LinkPanel::deleteSelected);
    refresh();
}

void LinkPanel::refresh() {
    const EditModel& model = document_.model;
    const int part = selectedPart_ ? selectedPart_() : -1;
    QStringList texts;
    QList<int> indexes;
    for (std::size_t k = 0; k < model.links.size(); ++k) {
        const JointLink& link = model.links[k];
        if (!model.linkValid(link) || (link.partA != part && link.partB != part)) continue;
        // Seen from the selected part: its own joint first, then where it leads.
        const bool own = link.partA == part;
        const int joint = own ? link.jointA : link.jointB;
        const int other = own ? link.partB : link.partA;
        const int otherJoint = own ? link.jointB : link.jointA;
        texts << tr("関節 %1 ― %2 の関節 %3 (長さ %4)")
                     .arg(joint)
                     .arg(partName(model, other))
                     .arg(otherJoint)
                     .arg(static_cast<double>(link.length), 0, 'g', 3);
        indexes << static_cast<int>(k);
    }
    bool same = linkList->count() == texts.size();
    for (int i = 0; same && i < texts.size(); ++i)
        same = linkList->item(i)->text() == texts[i] &&
               linkList->item(i)->data(Qt::UserRole).toInt() == indexes[i];
    if (same) return;
    const int keep = selectedLink();
    linkList->clear();
    for (int i = 0; i < texts.size(); ++i) {
        auto* item = new QListWidgetItem(texts[i], linkList);
        item->setData(Qt::UserRole, indexes[i]);
        if (indexes[i] == keep) linkList->setCurrentItem(item);
    }
}

int LinkPanel::selectedLink() const {
    const QListWidgetItem* item = linkList->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void LinkPanel::deleteSelected() {
    const int link = selectedLink();
    if (link < 0) return;
    document_.deleteLink(link);
    document_.UpdateAllViews();
    refresh();
}
