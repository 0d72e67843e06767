#pragma once
// The editor's one view: the puppet lying in the plane z = 0 over a grid, seen by a camera on the z
// axis. It owns the two tool windows and the timer that keeps relaxing the puppet.

#include "rigbench_doc.h"
#include "view_math.h"

#include <QImage>
#include <QOpenGLWidget>
#include <QTimer>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CPartDlg;
class GamePreview;
class CModeDlg;
class QAction;

class CrigbenchView : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit CrigbenchView(CrigbenchDoc& document, QWidget* parent = nullptr);
    ~CrigbenchView() override;

    CrigbenchDoc& document() { return document_; }
    // Both exist from the first frame on; null before it.
    CPartDlg* partDialog() const { return partDialog_; }
    CModeDlg* modeDialog() const { return modeDialog_; }
    float cameraDistance() const { return cameraDistance_; }
    // The plane point the camera looks at: the origin until the view is panned or fitted.
    Point2 cameraCentre() const { return cameraCentre_; }
    // Home: the camera moves so that the whole puppet fills the view.
    void fitWholePuppet();
    QAction* fitAction() const { return fitAction_; }
    // The part marked in the view: the part list's selection, or -1.
    int selectedPart() const;

    // The plane point under a pixel of the view (logical coordinates, as mouse events give them).
    Point2 pickPlanePoint(float sx, float sy) const;
    // Where a plane point lands on the view, in logical pixels.
    ScreenPoint projectPlanePoint(Point2 point) const;

    // One timer tick: a relaxation pass, a pull towards the pose, a redraw.
    void tick();

    // What mouse editing holds: grabbed corners and picked joints, as (part, corner or joint) pairs.
    const std::vector<std::pair<int, int>>& dragCorners() const { return dragCorners_; }
    const std::vector<std::pair<int, int>>& pickedJoints() const { return pickedJoints_; }
    // True between a press and its release: undo and redo wait for the drag to end.
    bool mouseHeld() const { return captured_; }
    // Forgets grabbed corners and picked joints: their numbers mean nothing once the part list changed.
    void forgetPicks();

    static constexpr float kGrabRadius = 0.05f;
    static constexpr float kCentreGrabRadius = 0.2f;
    static constexpr int kDragPasses = 20;

    static constexpr int kTimerPeriodMs = 100;

    // "Try it in the game": while on, the view shows the game's own puppet made from the edited one,
    // standing posed on a floor, and mouse editing rests. M mirrors it, L lets it fall limp (again:
    // it stands up). Turning it on again starts over from the editor's puppet.
    void setGamePreview(bool on);
    bool gamePreviewOn() const { return preview_ != nullptr; }
    GamePreview* gamePreview() const { return preview_.get(); }
    // One game step and a redraw; the preview's timer calls it 50 times a second.
    void previewStep();
    static constexpr Qt::Key kMirrorKey = Qt::Key_M;
    static constexpr Qt::Key kLimpKey = Qt::Key_L;
    // Held while clicking the second joint of a link: the second part moves onto the first joint.
    static constexpr Qt::KeyboardModifier kSnapModifier = Qt::ShiftModifier;

signals:
    // After the first frame has created the tool windows.
    void toolWindowsCreated();
    // After every game step of the preview: how far each part stands from where it stood in the editor.
    void previewSettled(const QString& report);
    // A link was made in joint attach mode, already in the document.
    void linkMade(const JointLink& link);

protected:
    void initializeGL() override;
    void paintGL() override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Colour {
        float r, g, b;
    };
    ViewCamera camera() const;
    void createToolWindows();
    unsigned textureFor(const EditPart& part);
    // The picture of a part as an image, for telling its painted pixels from its clear ones.
    const QImage& pictureFor(const EditPart& part);
    // A press in part move mode away from the selected part's corners: the topmost picture under the
    // point becomes the selection, grabbed whole; false when no picture is there.
    bool selectPictureAt(Point2 p);
    void drawLine3D(const ViewCamera& cam, Vec3 start, Vec3 end, Colour colour, float width);
    void drawLine2D(ScreenPoint a, ScreenPoint b, Colour colour, float width);
    void drawCross(const ViewCamera& cam, Vec3 centre, float halfSize, Colour colour, float width);
    void useScreenSpace(const ViewCamera& cam);
    void useWorldSpace(const ViewCamera& cam);

    CrigbenchDoc& document_;
    CPartDlg* partDialog_ = nullptr;
    CModeDlg* modeDialog_ = nullptr;
    bool firstFrameDone_ = false;
    // Resolved texture path to GL texture name; 0 marks a file that has not loaded (yet).
    std::map<std::string, unsigned> textureCache_;
    std::vector<std::pair<int, int>> dragCorners_;
    Point2 dragLast_;
    std::vector<std::pair<int, int>> pickedJoints_;
    float cameraDistance_ = 5.0f;
    Point2 cameraCentre_;
    // Middle-button panning: the pixel the pointer was at last.
    bool panning_ = false;
    QPointF panLast_;
    QAction* fitAction_ = nullptr;
    std::map<std::string, QImage> pictures_;
    // The whole-puppet drag, started by a press with the A key held.
    bool moveAll_ = false;
    Point2 moveAllLast_;
    bool captured_ = false;
    // The edit state at the press: a whole drag is one undo step, recorded at the release.
    EditState pressState_;
    bool pointerMoved_ = false;
    bool pressRecorded_ = false;
    bool moveKeyDown_ = false;
    int wheelRemainder_ = 0;
    QTimer timer_;
    std::unique_ptr<GamePreview> preview_;
    QTimer previewTimer_;
};
