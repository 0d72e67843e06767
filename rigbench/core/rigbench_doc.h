#pragma once
// The editor's document: the puppet being edited, its pose table, and the model file it came from.
// Opening and saving report the file's error in words; saving never leaves a half-written file.

#include "edit_model.h"

#include <functional>
#include <string>
#include <vector>

class QSaveFile;

// What an undo step did, so that Undo and Redo can say which step they would take.
enum class EditStep {
    Move,
    LeavePose,
    AppendPart,
    DeletePart,
    ReorderParts,
    MakeLink,
    DeleteLink,
    LoadPose,
    RewritePaths
};

// Everything an edit of the puppet can change: parts with their corners, links and the pose table.
struct EditState {
    std::vector<EditPart> parts;
    std::vector<JointLink> links;
    std::vector<float> anchorDistances;
    bool anchoring = false;
    // The edit that left this state behind; set by recordUndo.
    EditStep step = EditStep::Move;
};

class CrigbenchDoc {
public:
    EditModel model;
    // The pose table: 16 entries per part, distance from anchor k to corner j of part p at 16p + 4k + j.
    std::vector<float> anchorDistances;
    // While true, every timer tick pulls the parts towards the pose table.
    bool anchoring = false;

    // Called after New and Open replaced the parts (the part list refills itself), and whenever the
    // views should redraw. Either may be empty.
    std::function<void()> partsReplaced;
    std::function<void()> viewsChanged;

    bool OnNewDocument();
    // Fails, leaving the document unchanged, when the file cannot be opened; errorString() then says
    // why. On success the model's folder becomes the program folder, so its part paths resolve there.
    // A file that is not a model (no data-tree map holding "parts" or "joints_link") is refused the
    // same way, with notAModel() true.
    bool OnOpenDocument(const std::string& path);
    bool notAModel() const { return notAModel_; }
    // The part files the last opened model names that are not there, each once, as the model names them.
    const std::vector<std::string>& missingParts() const { return missingParts_; }
    // Writes the model atomically: on failure the old file is left as it was and errorString() says why.
    bool OnSaveDocument(const std::string& path);
    void UpdateAllViews();

    // The model file's canonical text, exactly as saving writes it.
    std::string modelText() const;

    // The file the document was last opened from or saved to; empty for a new document.
    const std::string& pathName() const { return pathName_; }
    const std::string& errorString() const { return error_; }
    // True when the parts or links differ from what was last opened or saved (positions are not
    // stored in a model file and do not count).
    bool isModified() const;

    // Part list edits, each one undo step. Deleting or exchanging parts removes every link rather than
    // renumbering them; appending keeps them. Out-of-range numbers do nothing.
    void appendPart(const std::string& path);
    void deletePart(int index);
    void swapParts(int first, int second);
    // Removes one link, one undo step; the others keep their order.
    void deleteLink(int index);

    // Writes the pose table of the present corners (16 numbers a part) as one top-level array,
    // atomically; false with errorString() when the file could not be written.
    bool savePose(const std::string& path);
    // Sizes the pose table to the present parts (new entries 0, others kept), reads as many numbers
    // as the file has into it and turns anchoring on, readable or not. One undo step.
    void loadPose(const std::string& path);
    // How many numbers a pose file holds (0 when it holds no array): 16 a part of the puppet it was
    // made for.
    static std::size_t poseLength(const std::string& path);

    // One pass of the anchoring constraints; nothing unless anchoring. Parts the table does not cover
    // are left alone.
    void pullToPose();
    // The pose table of the present corners, part-major.
    std::vector<float> poseTable() const;

    // Undo and redo, one snapshot of the edit state a step. Part list edits, links and loaded poses
    // record themselves; a drag takes editState() at the press and hands it to recordUndo at the release.
    // New and Open forget the history. The modified flag follows, since it compares the model's text.
    EditState editState() const;
    void recordUndo(EditState before, EditStep step);
    bool canUndo() const { return !undoStack_.empty(); }
    bool canRedo() const { return !redoStack_.empty(); }
    // The step Undo and Redo would take; meaningful only while canUndo() and canRedo().
    EditStep undoStep() const { return undoStack_.empty() ? EditStep::Move : undoStack_.back().step; }
    EditStep redoStep() const { return redoStack_.empty() ? EditStep::Move : redoStack_.back().step; }
    // Each returns false when there was nothing to do; partsReplaced is called when a step changed
    // the part list, viewsChanged always.
    bool undo();
    bool redo();
    void clearHistory();

    static constexpr std::size_t kUndoLimit = 200;

    // The last step of every save: puts the fully written temporary file in the target's place.
    // Unset, QSaveFile::commit; a test puts a commit here that fails.
    std::function<bool(QSaveFile&)> commitSave;

private:
    void restore(EditState state);
    std::vector<EditState> undoStack_;
    std::vector<EditState> redoStack_;
    std::string pathName_;
    std::string savedText_ = emptyModelText();
    std::string error_;
    bool notAModel_ = false;
    std::vector<std::string> missingParts_;
    static std::string emptyModelText();
    bool writeAtomically(const std::string& path, const std::string& text);
};

// Makes a folder the current directory, against which part, texture and pose paths resolve.
bool setProgramFolder(const std::string& folder);
