#pragma once
// The links of the selected part, listed in the part dialog; the selected one can be deleted alone.

#include <QWidget>

#include <functional>

class CrigbenchDoc;
class QListWidget;
class QPushButton;

class LinkPanel : public QWidget {
    Q_OBJECT
public:
    // selectedPart gives the part whose links are listed, or -1.
    LinkPanel(CrigbenchDoc& document, std::function<int()> selectedPart, QWidget* parent);

    // Lists the selected part's links again when they changed; the selection stays on the same link.
    void refresh();
    // The model's index of the link selected in the list, or -1.
    int selectedLink() const;
    // Deletes the selected link, one undo step.
    void deleteSelected();

    QListWidget* linkList;
    QPushButton* deleteButton;

private:
    CrigbenchDoc& document_;
    std::function<int()> selectedPart_;
};
