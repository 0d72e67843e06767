#include "rigbench_view.h"

#include "editor_texts.h"
#include "game_preview.h"
#include "mode_dlg.h"
#include "part_dlg.h"
#include "view_finding.h"

#include "datatree/host_path.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

#include <GL/gl.h>

namespace {

constexpr float kGridExtent = 5.0f;

std::string partFolder(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A picture file as an image; null when there is none. A part with no texture names no file, and
// Qt warns about every attempt to open an empty name: that would be one warning a part a frame.
QImage loadPicture(const std::string& file) {
    QImage image;
    if (file.empty() || file.back() == '\\' || file.back() == '/') return image;
    image.load(QString::fromStdString(hostPath(file)));
    return image;
}

unsigned uploadTexture(const std::string& file) {
    QImage image = loadPicture(file);
    if (image.isNull()) return 0;
    image = image.convertToFormat(QImage::Format_RGBA8888);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width(), image.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 image.constBits());
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

// Carries a whole part along by (dx, dy): square, picture, joints and circles.
void translatePart(EditPart& part, float dx, float dy) {
    for (Point2& c : part.corners) c = {c.x + dx, c.y + dy};
    for (PictureVertex& v : part.picture) {
        v.x += dx;
        v.y += dy;
    }
    for (Point2& j : part.joints) j = {j.x + dx, j.y + dy};
    for (BoundCircle& b : part.bounds) {
        b.x += dx;
        b.y += dy;
    }
}

// Pixels this clear or clearer are not the part's paint: a click there finds the part beneath.
constexpr int kClearAlpha = 32;

}  // namespace

CrigbenchView::CrigbenchView(CrigbenchDoc& document, QWidget* parent)
    : QOpenGLWidget(parent), document_(document) {
    setMinimumSize(64, 64);
    connect(&timer_, &QTimer::timeout, this, &CrigbenchView::tick);
    previewTimer_.setTimerType(Qt::PreciseTimer);
    connect(&previewTimer_, &QTimer::timeout, this, &CrigbenchView::previewStep);
    // The A key turns a press into a whole-puppet drag whichever of the editor's windows has the
    // keyboard, so its state is followed application-wide.
    qApp->installEventFilter(this);

    fitAction_ = new QAction(tr("パペット全体を表示\tHome(&W)"), this);
    fitAction_->setStatusTip(tr("パペット全体が収まるように表示を合わせる"));
    fitAction_->setToolTip(tr("全体を表示"));
    fitAction_->setShortcut(QKeySequence(Qt::Key_Home));
    fitAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(fitAction_);
    connect(fitAction_, &QAction::triggered, this, &CrigbenchView::fitWholePuppet);
}

CrigbenchView::~CrigbenchView() {
    qApp->removeEventFilter(this);
    timer_.stop();
    previewTimer_.stop();
    preview_.reset();
    pickedJoints_.clear();
    dragCorners_.clear();
    if (context()) {
        makeCurrent();
        for (const auto& entry : textureCache_) {
            if (entry.second != 0) {
                const GLuint name = entry.second;
                glDeleteTextures(1, &name);
            }
        }
        doneCurrent();
    }
    textureCache_.clear();
    delete partDialog_;
    delete modeDialog_;
}

int CrigbenchView::selectedPart() const {
    return partDialog_ ? partDialog_->currentPart() : -1;
}

ViewCamera CrigbenchView::camera() const {
    const qreal ratio = devicePixelRatioF();
    return ViewCamera(static_cast<float>(width() * ratio), static_cast<float>(height() * ratio),
                      cameraDistance_, cameraCentre_);
}

Point2 CrigbenchView::pickPlanePoint(float sx, float sy) const {
    const auto ratio = static_cast<float>(devicePixelRatioF());
    return camera().pickPlanePoint(sx * ratio, sy * ratio);
}

ScreenPoint CrigbenchView::projectPlanePoint(Point2 point) const {
    const auto ratio = static_cast<float>(devicePixelRatioF());
    const ScreenPoint s = camera().project({point.x, point.y, 0.0f});
    return {s.x / ratio, s.y / ratio};
}

void CrigbenchView::setGamePreview(bool on) {
    if (on == gamePreviewOn()) return;
    if (!on) {
        previewTimer_.stop();
        preview_.reset();
        update();
        return;
    }
    // A drag under way ends here: the preview takes the puppet as it stands.
    captured_ = false;
    moveAll_ = false;
    dragCorners_.clear();
    preview_ = std::make_unique<GamePreview>();
    // The pictures are the view's own textures, uploaded in its context.
    makeCurrent();
    preview_->start(document_, [this](const EditPart& part) { return textureFor(part); });
    doneCurrent();
    previewTimer_.start(1000 / GamePreview::kStepsPerSecond);
    update();
}

void CrigbenchView::previewStep() {
    if (!preview_) return;
    preview_->step();
    QString report = (preview_->limp() ? texts::previewLimp() : texts::previewPosed()) +
                     QStringLiteral(" — ") + texts::previewNumbersLabel() + QLatin1Char(':');
    const std::vector<float> distances = preview_->settleDistances();
    for (std::size_t m = 0; m < distances.size(); ++m)
        report += QStringLiteral("  %1: %2").arg(m).arg(static_cast<double>(distances[m]), 0, 'f', 4);
    emit previewSettled(report);
    update();
}

void CrigbenchView::tick() {
    if (preview_) return;  // the editor's puppet waits while the game's one is shown
    document_.model.relax();
    document_.pullToPose();
    update();
}

void CrigbenchView::initializeGL() {}

void CrigbenchView::createToolWindows() {
    if (partDialog_) return;
    partDialog_ = new CPartDlg(document_, this);
    connect(partDialog_, &CPartDlg::partsChanged, this, &CrigbenchView::forgetPicks);
    modeDialog_ = new CModeDlg(this);
    modeDialog_->modeCombo->setCurrentIndex(0);
    // The main window docks them; a view on its own shows them as windows of their own beside it.
    emit toolWindowsCreated();
    if (partDialog_->isWindow()) {
        partDialog_->placeBeside(window());
        modeDialog_->move(partDialog_->frameGeometry().bottomLeft() + QPoint(0, 8));
        partDialog_->show();
        modeDialog_->show();
    }
}

void CrigbenchView::paintGL() {
    const qreal ratio = devicePixelRatioF();
    const int w = static_cast<int>(width() * ratio);
    const int h = static_cast<int>(height() * ratio);
    // A view with no height has no aspect ratio to draw with.
    if (w <= 0 || h <= 0) return;

    if (!firstFrameDone_) {
        firstFrameDone_ = true;
        // The tool windows and the timer come with the first frame; windows are not made from inside
        // a paint, so they follow as soon as it ends.
        QMetaObject::invokeMethod(this, &CrigbenchView::createToolWindows, Qt::QueuedConnection);
        timer_.start(kTimerPeriodMs);
    }

    const ViewCamera cam = camera();

    glClearColor(128 / 255.0f, 128 / 255.0f, 240 / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glViewport(0, 0, w, h);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_ONE, GL_ZERO);
    useScreenSpace(cam);

    const Colour lightGrey{192 / 255.0f, 192 / 255.0f, 192 / 255.0f};
    const Colour white{1.0f, 1.0f, 1.0f};
    for (int k = 0; k <= 100; ++k) {
        const float y = -kGridExtent + 0.1f * static_cast<float>(k);
        drawLine3D(cam, {-kGridExtent, y, 0.0f}, {kGridExtent, y, 0.0f}, lightGrey, 1.0f);
    }
    for (int k = 0; k <= 100; ++k) {
        const float x = -kGridExtent + 0.1f * static_cast<float>(k);
        drawLine3D(cam, {x, -kGridExtent, 0.0f}, {x, kGridExtent, 0.0f}, lightGrey, 1.0f);
    }
    for (int k = 0; k <= 20; ++k) {
        const float y = -kGridExtent + 0.5f * static_cast<float>(k);
        drawLine3D(cam, {-kGridExtent, y, 0.0f}, {kGridExtent, y, 0.0f}, white, 1.0f);
    }
    for (int k = 0; k <= 20; ++k) {
        const float x = -kGridExtent + 0.5f * static_cast<float>(k);
        drawLine3D(cam, {x, -kGridExtent, 0.0f}, {x, kGridExtent, 0.0f}, white, 1.0f);
    }

    if (preview_) {
        useWorldSpace(cam);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        preview_->draw();
        useScreenSpace(cam);
        const Colour black{0.0f, 0.0f, 0.0f};
        for (const PointMass& c : preview_->puppet().frame.corners)
            drawCross(cam, {c.x, c.y, 0.0f}, 4.0f, black, 2.0f);
        return;
    }

    // Pictures, in list order: later parts cover earlier ones.
    useWorldSpace(cam);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    for (const EditPart& part : document_.model.parts) {
        const unsigned texture = textureFor(part);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        if (texture != 0) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, texture);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glBegin(GL_TRIANGLE_FAN);
        for (const PictureVertex& v : part.picture) {
            glTexCoord2f(v.u, v.v);
            glVertex3f(v.x, v.y, 0.0f);
        }
        glEnd();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);

    useScreenSpace(cam);
    const int selected = selectedPart();
    if (selected >= 0 && selected < static_cast<int>(document_.model.parts.size())) {
        const EditPart& part = document_.model.parts[static_cast<std::size_t>(selected)];
        const Colour red{1.0f, 0.0f, 0.0f};
        const Colour magenta{1.0f, 0.0f, 1.0f};
        for (const Point2& c : part.corners) drawCross(cam, {c.x, c.y, 0.0f}, 4.0f, red, 2.0f);
        const auto& c = part.corners;
        drawLine3D(cam, {c[2].x, c[2].y, 0.0f}, {c[0].x, c[0].y, 0.0f}, red, 1.5f);
        drawLine3D(cam, {c[3].x, c[3].y, 0.0f}, {c[1].x, c[1].y, 0.0f}, red, 1.5f);
        for (std::size_t j = 0; j < part.joints.size(); ++j) {
            const Vec3 p{part.joints[j].x, part.joints[j].y, 0.0f};
            drawCross(cam, p, 4.0f, magenta, 2.0f);
            for (const auto& picked : pickedJoints_) {
                if (picked.first == selected && picked.second == static_cast<int>(j)) {
                    drawCross(cam, p, 4.0f, white, 2.0f);
                    break;
                }
            }
        }
    }

    const Colour green{0.0f, 1.0f, 0.0f};
    for (const JointLink& link : document_.model.links) {
        if (!document_.model.linkValid(link)) continue;
        const Point2& a = document_.model.parts[static_cast<std::size_t>(link.partA)]
                              .joints[static_cast<std::size_t>(link.jointA)];
        const Point2& b = document_.model.parts[static_cast<std::size_t>(link.partB)]
                              .joints[static_cast<std::size_t>(link.jointB)];
        drawLine3D(cam, {a.x, a.y, 0.0f}, {b.x, b.y, 0.0f}, green, 4.0f);
    }

    const Colour black{0.0f, 0.0f, 0.0f};
    for (const Point2& anchor : kUnitSquare) drawCross(cam, {anchor.x, anchor.y, 0.0f}, 4.0f, black, 2.0f);
}

unsigned CrigbenchView::textureFor(const EditPart& part) {
    const std::string key = partFolder(part.path) + part.texture;
    unsigned& entry = textureCache_[key];
    // A file that did not load is tried again every frame: it may appear while the editor runs.
    if (entry == 0) {
        entry = uploadTexture(key);
        if (entry == 0) entry = uploadTexture(part.texture);
    }
    return entry;
}

const QImage& CrigbenchView::pictureFor(const EditPart& part) {
    const std::string key = partFolder(part.path) + part.texture;
    QImage& picture = pictures_[key];
    if (picture.isNull()) picture = loadPicture(key);
    if (picture.isNull()) picture = loadPicture(part.texture);
    return picture;
}

bool CrigbenchView::selectPictureAt(Point2 p) {
    const int part = topmostPartAt(document_.model, p, [this](const EditPart& candidate, float u, float v) {
        const QImage& picture = pictureFor(candidate);
        if (picture.isNull()) return true;  // no picture to look at: the whole quad counts
        // Texture coordinates repeat, as the drawing's do.
        const float fu = u - std::floor(u);
        const float fv = v - std::floor(v);
        const int x =
            std::min(static_cast<int>(fu * static_cast<float>(picture.width())), picture.width() - 1);
        const int y =
            std::min(static_cast<int>(fv * static_cast<float>(picture.height())), picture.height() - 1);
        return qAlpha(picture.pixel(x, y)) > kClearAlpha;
    });
    if (part < 0) return false;
    if (partDialog_ && part != selectedPart()) partDialog_->partList->setCurrentRow(part);
    for (int k = 0; k < 4; ++k) dragCorners_.emplace_back(part, k);
    return true;
}

void CrigbenchView::fitWholePuppet() {
    const ViewFit fit = ::fitWholePuppet(
        document_.model, static_cast<float>(width()) / static_cast<float>(std::max(height(), 1)),
        ViewCamera::kFieldOfView);
    cameraCentre_ = fit.centre;
    cameraDistance_ = fit.cameraDistance;
    update();
}

void CrigbenchView::useScreenSpace(const ViewCamera& cam) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, cam.width, cam.height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void CrigbenchView::useWorldSpace(const ViewCamera& cam) {
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(cam.projection.m.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(cam.view.m.data());
}

void CrigbenchView::drawLine3D(const ViewCamera& cam, Vec3 start, Vec3 end, Colour colour, float width) {
    if (start.x == end.x && start.y == end.y && start.z == end.z) return;
    drawLine2D(cam.project(start), cam.project(end), colour, width);
}

void CrigbenchView::drawLine2D(ScreenPoint a, ScreenPoint b, Colour colour, float width) {
    if (a.x == b.x && a.y == b.y) return;
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    const float hx = -dy / length * width / 2.0f;
    const float hy = dx / length * width / 2.0f;
    glColor4f(colour.r, colour.g, colour.b, 1.0f);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex2f(a.x + hx, a.y + hy);
    glVertex2f(a.x - hx, a.y - hy);
    glVertex2f(b.x + hx, b.y + hy);
    glVertex2f(b.x - hx, b.y - hy);
    glEnd();
}

void CrigbenchView::drawCross(const ViewCamera& cam, Vec3 centre, float s, Colour colour, float width) {
    const ScreenPoint p = cam.project(centre);
    drawLine2D({p.x - s, p.y - s}, {p.x + s, p.y + s}, colour, width);
    drawLine2D({p.x + s, p.y - s}, {p.x - s, p.y + s}, colour, width);
}

void CrigbenchView::wheelEvent(QWheelEvent* event) {
    // One step per notch of 120; a smooth-scrolling touchpad sends small deltas that add up to notches.
    wheelRemainder_ += event->angleDelta().y();
    while (wheelRemainder_ >= 120) {
        cameraDistance_ -= 1.0f;
        wheelRemainder_ -= 120;
    }
    while (wheelRemainder_ <= -120) {
        cameraDistance_ += 1.0f;
        wheelRemainder_ += 120;
    }
    event->accept();
    update();
}

void CrigbenchView::forgetPicks() {
    pickedJoints_.clear();
    dragCorners_.clear();
}

bool CrigbenchView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_A && !key->isAutoRepeat()) moveKeyDown_ = event->type() == QEvent::KeyPress;
        // A key no widget took travels up to its window, and the filter sees it at every widget on
        // the way: the preview acts on it once, at the window (a key typed into a box never gets there).
        const bool atWindow = watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow();
        if (preview_ && atWindow && event->type() == QEvent::KeyPress && !key->isAutoRepeat()) {
            if (key->key() == kMirrorKey) preview_->mirror();
            if (key->key() == kLimpKey) preview_->toggleLimp();
        }
    } else if (event->type() == QEvent::ApplicationDeactivate) {
        moveKeyDown_ = false;  // a release while another program has the keyboard never reaches us
    }
    return QOpenGLWidget::eventFilter(watched, event);
}

void CrigbenchView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        panning_ = true;
        panLast_ = event->position();
        return;
    }
    if (event->button() != Qt::LeftButton || preview_) {
        QOpenGLWidget::mousePressEvent(event);
        return;
    }
    pressState_ = document_.editState();
    pointerMoved_ = false;
    pressRecorded_ = false;
    // Any edit releases the puppet from a loaded pose.
    document_.anchoring = false;
    captured_ = true;
    const Point2 p =
        pickPlanePoint(static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
    dragLast_ = p;
    if (moveKeyDown_) {
        moveAllLast_ = p;
        moveAll_ = true;
        return;
    }

    EditModel& model = document_.model;
    const int s = selectedPart();
    const bool jointAttach = modeDialog_ && modeDialog_->mode() == CModeDlg::JointAttach;
    if (s >= 0 && s < static_cast<int>(model.parts.size())) {
        const EditPart& part = model.parts[static_cast<std::size_t>(s)];
        if (jointAttach) {
            for (std::size_t j = 0; j < part.joints.size(); ++j) {
                if (distance(p, part.joints[j]) >= kGrabRadius) continue;
                pickedJoints_.emplace_back(s, static_cast<int>(j));
                if (pickedJoints_.size() != 2) continue;
                const JointLink link{pickedJoints_[0].first, pickedJoints_[1].first, pickedJoints_[0].second,
                                     pickedJoints_[1].second, 0.0f};
                if (link.partA != link.partB && model.linkValid(link)) {
                    const Point2& a = model.parts[static_cast<std::size_t>(link.partA)]
                                          .joints[static_cast<std::size_t>(link.jointA)];
                    const Point2& b = model.parts[static_cast<std::size_t>(link.partB)]
                                          .joints[static_cast<std::size_t>(link.jointB)];
                    JointLink made = link;
                    made.length = distance(a, b);
                    if (event->modifiers() & kSnapModifier) {
                        // The second part comes to the first joint: a pin, as the game's own rigs are.
                        translatePart(model.parts[static_cast<std::size_t>(link.partB)], a.x - b.x,
                                      a.y - b.y);
                        made.length = 0.0f;
                    }
                    document_.recordUndo(pressState_, EditStep::MakeLink);
                    pressRecorded_ = true;
                    model.links.push_back(made);
                    document_.UpdateAllViews();
                    emit linkMade(made);
                }
                pickedJoints_.clear();
            }
        } else {
            for (int k = 0; k < 4; ++k) {
                if (distance(p, part.corners[static_cast<std::size_t>(k)]) < kGrabRadius)
                    dragCorners_.emplace_back(s, k);
            }
            // Away from the selected part's corners, a picture under the pointer is taken (and
            // selected); where there is none, the selected part's middle still grabs it.
            if (dragCorners_.empty() && !selectPictureAt(p) &&
                distance(p, part.centre()) < kCentreGrabRadius) {
                for (int k = 0; k < 4; ++k) dragCorners_.emplace_back(s, k);
            }
        }
    } else if (!jointAttach) {
        selectPictureAt(p);
    }
    update();
}

void CrigbenchView::mouseMoveEvent(QMouseEvent* event) {
    if (panning_) {
        // The plane point under the pointer stays under it: the camera moves the other way.
        const Point2 from =
            pickPlanePoint(static_cast<float>(panLast_.x()), static_cast<float>(panLast_.y()));
        const Point2 to = pickPlanePoint(static_cast<float>(event->position().x()),
                                         static_cast<float>(event->position().y()));
        cameraCentre_ = {cameraCentre_.x - (to.x - from.x), cameraCentre_.y - (to.y - from.y)};
        panLast_ = event->position();
        update();
        return;
    }
    if (preview_) {
        QOpenGLWidget::mouseMoveEvent(event);
        return;
    }
    const Point2 p =
        pickPlanePoint(static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
    EditModel& model = document_.model;
    if (moveAll_) {
        const Point2 d{p.x - moveAllLast_.x, p.y - moveAllLast_.y};
        if (d.x != 0.0f || d.y != 0.0f) pointerMoved_ = true;
        for (EditPart& part : model.parts) {
            for (Point2& joint : part.joints) {
                joint.x += d.x;
                joint.y += d.y;
            }
            for (Point2& corner : part.corners) {
                corner.x += d.x;
                corner.y += d.y;
            }
        }
        moveAllLast_ = p;
        model.relax();
        update();
        return;
    }
    if (!captured_) {
        QOpenGLWidget::mouseMoveEvent(event);
        return;
    }
    const Point2 d{p.x - dragLast_.x, p.y - dragLast_.y};
    if (!dragCorners_.empty() && (d.x != 0.0f || d.y != 0.0f)) pointerMoved_ = true;
    // The grabbed corners follow the pointer and stay pinned there while the rest settles around them.
    std::vector<std::pair<Point2*, Point2>> pinned;
    pinned.reserve(dragCorners_.size());
    for (const auto& [partIndex, corner] : dragCorners_) {
        if (partIndex < 0 || partIndex >= static_cast<int>(model.parts.size()) || corner < 0 || corner > 3)
            continue;
        Point2& c =
            model.parts[static_cast<std::size_t>(partIndex)].corners[static_cast<std::size_t>(corner)];
        c.x += d.x;
        c.y += d.y;
        pinned.emplace_back(&c, c);
    }
    for (int pass = 0; pass < kDragPasses; ++pass) {
        for (auto& [where, position] : pinned) *where = position;
        model.relax();
    }
    dragLast_ = p;
    update();
}

void CrigbenchView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        panning_ = false;
        return;
    }
    if (event->button() != Qt::LeftButton || preview_) {
        QOpenGLWidget::mouseReleaseEvent(event);
        return;
    }
    captured_ = false;
    // Relaxation settles the puppet a little while the button is held; only a drag that carried
    // corners or the puppet with the pointer is an edit worth a step, or a press that let go of a
    // loaded pose (undone, the puppet is pulled to the pose again). A link has been recorded already.
    const bool leftPose = pressState_.anchoring && !document_.anchoring;
    if (!pressRecorded_ && (pointerMoved_ || leftPose)) {
        const EditStep step = pointerMoved_ ? EditStep::Move : EditStep::LeavePose;
        pointerMoved_ = false;
        document_.recordUndo(std::move(pressState_), step);
        document_.UpdateAllViews();
    }
    pressState_ = EditState{};
    if (moveAll_) {
        moveAll_ = false;
        return;
    }
    dragCorners_.clear();
}
