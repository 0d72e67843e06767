#include "rigbench_doc.h"

#include "datatree/data_file.h"
#include "datatree/data_number.h"
#include "datatree/host_path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <utility>

namespace {

DataRef modelTree(const EditModel& model) {
    DataRef root;
    DataRef& parts = root.member("parts");
    parts.makeArray(static_cast<std::uint32_t>(model.parts.size()));
    for (std::uint32_t i = 0; i < model.parts.size(); ++i) parts->item(i)->setText(model.parts[i].path);

    DataRef& links = root.member("joints_link");
    links.makeArray(static_cast<std::uint32_t>(model.links.size()));
    for (std::uint32_t k = 0; k < model.links.size(); ++k) {
        const JointLink& link = model.links[k];
        DataRef& entry = links->item(k);
        DataRef& jointNum = entry.member("joint_num");
        jointNum.makeArray(2);
        jointNum->item(0).setInt(link.jointA);
        jointNum->item(1).setInt(link.jointB);
        DataRef& partNum = entry.member("part_num");
        partNum.makeArray(2);
        partNum->item(0).setInt(link.partA);
        partNum->item(1).setInt(link.partB);
        entry.member("length").setFloat(link.length);
    }
    return root;
}

}  // namespace

bool setProgramFolder(const std::string& folder) {
    return QDir::setCurrent(QString::fromStdString(folder));
}

std::string CrigbenchDoc::emptyModelText() {
    return writeDataString(modelTree(EditModel{}));
}

std::string CrigbenchDoc::modelText() const {
    return writeDataString(modelTree(model));
}

bool CrigbenchDoc::isModified() const {
    return modelText() != savedText_;
}

bool CrigbenchDoc::OnNewDocument() {
    model.parts.clear();
    model.links.clear();
    anchoring = false;
    clearHistory();
    pathName_.clear();
    savedText_ = emptyModelText();
    error_.clear();
    if (partsReplaced) partsReplaced();
    return true;
}

bool CrigbenchDoc::OnOpenDocument(const std::string& path) {
    notAModel_ = false;
    const QString name = QString::fromStdString(path);
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = file.errorString().toStdString();
        return false;
    }
    const QByteArray contents = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error_ = file.errorString().toStdString();
        return false;
    }
    file.close();

    // What is not a model (a picture, a pose, anything without either of the model's keys) is refused
    // before anything changes: opened as an empty model, the next save would write over it.
    DataRef root;
    readDataString(contents.toStdString(), root);
    if (root.kind() != DataKind::Map || (root->find("parts").kind() == DataKind::None &&
                                         root->find("joints_link").kind() == DataKind::None)) {
        notAModel_ = true;
        error_.clear();
        return false;
    }
    notAModel_ = false;
    error_.clear();

    // The model's part paths are relative to the model's own folder, as the game reads them.
    const QFileInfo info(name);
    pathName_ = info.absoluteFilePath().toStdString();
    setProgramFolder(info.absolutePath().toStdString());

    DataRef& partList = root->find("parts");
    model.parts.clear();
    model.parts.resize(partList->size());
    missingParts_.clear();
    for (std::uint32_t i = 0; i < partList->size(); ++i) {
        const std::string& partPath = partList->item(i)->text();
        model.parts[i].load(partPath);
        const bool listed =
            std::find(missingParts_.begin(), missingParts_.end(), partPath) != missingParts_.end();
        if (!listed && !QFileInfo(QString::fromStdString(hostPath(partPath))).isFile())
            missingParts_.push_back(partPath);
    }

    DataRef& linkList = root->find("joints_link");
    model.links.assign(linkList->size(), JointLink{});
    for (std::uint32_t k = 0; k < linkList->size(); ++k) {
        DataRef& entry = linkList->item(k);
        JointLink& link = model.links[k];
        readInt(entry->find("joint_num")->item(0), link.jointA);
        readInt(entry->find("joint_num")->item(1), link.jointB);
        readInt(entry->find("part_num")->item(0), link.partA);
        readInt(entry->find("part_num")->item(1), link.partB);
        readFloat(entry->find("length"), link.length);
    }

    clearHistory();
    savedText_ = modelText();
    if (partsReplaced) partsReplaced();
    return true;
}

bool CrigbenchDoc::OnSaveDocument(const std::string& path) {
    const std::string text = modelText();
    if (!writeAtomically(path, text)) return false;
    pathName_ = QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
    savedText_ = text;
    return true;
}

bool CrigbenchDoc::writeAtomically(const std::string& path, const std::string& text) {
    QSaveFile file(QString::fromStdString(path));
    // Unbuffered, so that a short write (a full disk, a size limit) shows in write's count: a buffered
    // flush can lose it, and the truncated file would then replace the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error_ = file.errorString().toStdString();
        return false;
    }
    qint64 written = 0;
    const auto size = static_cast<qint64>(text.size());
    while (written < size) {
        const qint64 n = file.write(text.data() + written, size - written);
        if (n <= 0) {
            error_ = file.errorString().toStdString();
            file.cancelWriting();
            return false;
        }
        written += n;
    }
    if (!(commitSave ? commitSave(file) : file.commit())) {
        error_ = file.errorString().toStdString();
        return false;
    }
    error_.clear();
    return true;
}

void CrigbenchDoc::appendPart(const std::string& path) {
    recordUndo(editState(), EditStep::AppendPart);
    EditPart part;
    part.load(path);
    model.parts.push_back(std::move(part));
}

void CrigbenchDoc::deletePart(int index) {
    if (index < 0 || index >= static_cast<int>(model.parts.size())) return;
    recordUndo(editState(), EditStep::DeletePart);
    model.links.clear();
    model.parts.erase(model.parts.begin() + index);
}

void CrigbenchDoc::swapParts(int first, int second) {
    const int count = static_cast<int>(model.parts.size());
    if (first < 0 || second < 0 || first >= count || second >= count || first == second) return;
    recordUndo(editState(), EditStep::ReorderParts);
    model.links.clear();
    std::swap(model.parts[static_cast<std::size_t>(first)], model.parts[static_cast<std::size_t>(second)]);
}

void CrigbenchDoc::deleteLink(int index) {
    if (index < 0 || index >= static_cast<int>(model.links.size())) return;
    recordUndo(editState(), EditStep::DeleteLink);
    model.links.erase(model.links.begin() + index);
}

bool CrigbenchDoc::savePose(const std::string& path) {
    const std::vector<float> table = poseTable();
    DataRef root;
    root.makeArray(static_cast<std::uint32_t>(table.size()));
    for (std::uint32_t e = 0; e < table.size(); ++e) root->item(e).setFloat(table[e]);
    return writeAtomically(path, writeDataString(root));
}

void CrigbenchDoc::loadPose(const std::string& path) {
    recordUndo(editState(), EditStep::LoadPose);
    anchorDistances.resize(model.parts.size() * 16, 0.0f);
    anchoring = true;
    DataRef root;
    readDataFile(path, root);
    for (std::uint32_t e = 0; e < anchorDistances.size(); ++e) readFloat(root->item(e), anchorDistances[e]);
}

std::size_t CrigbenchDoc::poseLength(const std::string& path) {
    DataRef root;
    readDataFile(path, root);
    return root.kind() == DataKind::Array ? root->size() : 0;
}

void CrigbenchDoc::UpdateAllViews() {
    if (viewsChanged) viewsChanged();
}

void CrigbenchDoc::pullToPose() {
    if (!anchoring) return;
    const std::size_t covered = std::min(model.parts.size(), anchorDistances.size() / 16);
    // The anchors are set once a pass. Weight 0 never moves them, but a corner lying exactly on one
    // nudges it by the step's 0.001, and that nudge holds for the rest of the pass.
    std::array<Point2, 4> anchors = kUnitSquare;
    for (std::size_t p = 0; p < covered; ++p) {
        EditPart& part = model.parts[p];
        for (std::size_t k = 0; k < 4; ++k) {
            for (std::size_t j = 0; j < 4; ++j)
                relaxDistance(anchors[k], part.corners[j], anchorDistances[16 * p + 4 * k + j], 0.0f, 1.0f);
        }
    }
}

std::vector<float> CrigbenchDoc::poseTable() const {
    std::vector<float> table;
    table.reserve(model.parts.size() * 16);
    for (const EditPart& part : model.parts) {
        for (int k = 0; k < 4; ++k) {
            for (int j = 0; j < 4; ++j) table.push_back(distance(kUnitSquare[k], part.corners[j]));
        }
    }
    return table;
}

EditState CrigbenchDoc::editState() const {
    return EditState{model.parts, model.links, anchorDistances, anchoring};
}

void CrigbenchDoc::recordUndo(EditState before, EditStep step) {
    before.step = step;
    undoStack_.push_back(std::move(before));
    if (undoStack_.size() > kUndoLimit) undoStack_.erase(undoStack_.begin());
    redoStack_.clear();
}

void CrigbenchDoc::clearHistory() {
    undoStack_.clear();
    redoStack_.clear();
}

bool CrigbenchDoc::undo() {
    if (undoStack_.empty()) return false;
    EditState state = std::move(undoStack_.back());
    undoStack_.pop_back();
    redoStack_.push_back(editState());
    redoStack_.back().step = state.step;
    restore(std::move(state));
    return true;
}

bool CrigbenchDoc::redo() {
    if (redoStack_.empty()) return false;
    EditState state = std::move(redoStack_.back());
    redoStack_.pop_back();
    undoStack_.push_back(editState());
    undoStack_.back().step = state.step;
    restore(std::move(state));
    return true;
}

void CrigbenchDoc::restore(EditState state) {
    bool sameList = state.parts.size() == model.parts.size();
    for (std::size_t i = 0; sameList && i < state.parts.size(); ++i)
        sameList = state.parts[i].path == model.parts[i].path;
    model.parts = std::move(state.parts);
    model.links = std::move(state.links);
    anchorDistances = std::move(state.anchorDistances);
    anchoring = state.anchoring;
    if (!sameList && partsReplaced) partsReplaced();
    UpdateAllViews();
}
