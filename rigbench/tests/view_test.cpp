// The editor as a user sees it: the main window's commands, the part list, and the view's pixels.
#include "editor_language.h"
#include "game_preview.h"
#include "main_frame.h"
#include "mode_dlg.h"
#include "part_dlg.h"
#include "rigbench_view.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>
#include <QtTest>

#include "game/graphics/texture_cache.h"
#include "puppet/model/puppet.h"


namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void writeSolidPng(const QString& path, QColor colour) {
    QImage image(16, 16, QImage::Format_RGBA8888);
    image.fill(colour);
    QVERIFY(image.save(path, "PNG"));
}

QByteArray partText(const char* texture) {
    return QByteArray(
               "{joints=[{x=0,y=0.25,},{x=0.25,y=0,},],pic_frame=[{u=0,v=0,x=-0.5,y=0.5,},{u=0,v=1,x=-0.5,y=-"
               "0.5,},"
               "{u=1,v=1,x=0.5,y=-0.5,},{u=1,v=0,x=0.5,y=0.5,},],texture=") +
           texture + ",}";
}

bool close(QRgb pixel, QColor colour, int tolerance = 3) {
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// The colour of the pixel under a plane point, or of any pixel within one pixel of it.
bool colourNear(const QImage& image, CrigbenchView* view, Point2 world, QColor colour, int reach = 1) {
    const ScreenPoint s = view->projectPlanePoint(world);
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const int x = static_cast<int>(s.x) + dx;
            const int y = static_cast<int>(s.y) + dy;
            if (image.rect().contains(x, y) && close(image.pixel(x, y), colour)) return true;
        }
    }
    return false;
}

int countColour(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += close(image.pixel(x, y), colour) ? 1 : 0;
    }
    return count;
}

void moveWhole(EditPart& part, float dx) {
    for (Point2& c : part.corners) c.x += dx;
    for (PictureVertex& v : part.picture) v.x += dx;
    for (Point2& j : part.joints) j.x += dx;
}

void mouse(QWidget* target, QEvent::Type type, ScreenPoint at, Qt::MouseButtons held) {
    const QPointF local(at.x, at.y);
    QMouseEvent event(type, local, target->mapToGlobal(local),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Presses at a plane point, drags to another in steps, releases there.
void drag(CrigbenchView* view, Point2 from, Point2 to, int steps = 4) {
    mouse(view, QEvent::MouseButtonPress, view->projectPlanePoint(from), Qt::LeftButton);
    for (int i = 1; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        const Point2 p{from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t};
        mouse(view, QEvent::MouseMove, view->projectPlanePoint(p), Qt::LeftButton);
    }
    mouse(view, QEvent::MouseButtonRelease, view->projectPlanePoint(to), Qt::NoButton);
}

void press(CrigbenchView* view, Point2 at) {
    mouse(view, QEvent::MouseButtonPress, view->projectPlanePoint(at), Qt::LeftButton);
    mouse(view, QEvent::MouseButtonRelease, view->projectPlanePoint(at), Qt::NoButton);
}

void key(QWidget* target, QEvent::Type type) {
    QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(target, &event);
}

// Clicks a button of the next message box that has it, as soon as it is up; the box's text goes to
// `text` when given. Several answers may wait at once, each for a box with its own button.
void answerNextQuestion(QMessageBox::StandardButton answer, QString* text = nullptr) {
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || !box->button(answer)) return;
        if (text) *text = box->text();
        box->button(answer)->click();
        poll->deleteLater();
    });
    poll->start();
}

float side(const EditPart& part) {
    return distance(part.corners[0], part.corners[1]);
}

void wheel(QWidget* target, int delta) {
    QWheelEvent event(QPointF(10, 10), target->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

void clickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
}

// What undo has to bring back, compared loosely: the timer goes on relaxing between the steps.
struct Shot {
    std::vector<std::string> paths;
    std::vector<Point2> centres;
    std::vector<std::array<int, 4>> links;
    bool anchoring = false;
    std::size_t poseSize = 0;
};

Shot shoot(const CrigbenchDoc& doc) {
    Shot shot;
    for (const EditPart& part : doc.model.parts) {
        shot.paths.push_back(part.path);
        shot.centres.push_back(part.centre());
    }
    for (const JointLink& l : doc.model.links) shot.links.push_back({l.partA, l.jointA, l.partB, l.jointB});
    shot.anchoring = doc.anchoring;
    shot.poseSize = doc.anchorDistances.size();
    return shot;
}

bool same(const Shot& a, const Shot& b) {
    if (a.paths != b.paths || a.links != b.links || a.anchoring != b.anchoring || a.poseSize != b.poseSize)
        return false;
    for (std::size_t i = 0; i < a.centres.size(); ++i) {
        if (distance(a.centres[i], b.centres[i]) > 0.03f) return false;
    }
    return true;
}

// A point's coordinates in a square frame's own axes, the axes the editor's reference square has: the
// pose table measures every part from that square.
Point2 inFrame(const FrameSquare& frame, const PointMass& q) {
    const auto& c = frame.corners;
    const Vec2 origin{(c[0].x + c[1].x + c[2].x + c[3].x) / 4.0f, (c[0].y + c[1].y + c[2].y + c[3].y) / 4.0f};
    const Vec2 ex{((c[3].x - c[0].x) + (c[2].x - c[1].x)) / 2.0f,
                  ((c[3].y - c[0].y) + (c[2].y - c[1].y)) / 2.0f};
    const Vec2 ey{((c[0].x - c[1].x) + (c[3].x - c[2].x)) / 2.0f,
                  ((c[0].y - c[1].y) + (c[3].y - c[2].y)) / 2.0f};
    const float dx = q.x - origin.x;
    const float dy = q.y - origin.y;
    return {(dx * ex.x + dy * ex.y) / (ex.x * ex.x + ex.y * ex.y),
            (dx * ey.x + dy * ey.y) / (ey.x * ey.x + ey.y * ey.y)};
}

const QColor kBackground(128, 128, 240);
const QColor kLightGrey(192, 192, 192);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kOrange(230, 150, 20);
const QColor kTeal(20, 150, 150);

}  // namespace

// A main frame at a size that leaves room for its tool windows, shown, with its view's first frame
// drawn (which is when the part dialog is made).
static bool showWithTools(CMainFrame& frame) {
    frame.resize(1000, 700);
    frame.show();
    return QTest::qWaitForWindowExposed(&frame) &&
           QTest::qWaitFor([&] { return frame.view()->partDialog() != nullptr; });
}

// Makes a window the active one, asking again while it is not. Without a window manager Qt sets the X
// focus itself, stamped with the time of the last X event it saw, and the server ignores a request
// older than its last focus change (one made when an earlier window went away, say). Each request
// also brings Qt a fresh server time, so asking again succeeds where a single ask and a wait did not.
static bool makeActive(QWidget& window) {
    QElapsedTimer sinceAsked;
    return QTest::qWaitFor(
               [&] {
                   if (window.isActiveWindow()) return true;
                   if (!sinceAsked.isValid() || sinceAsked.hasExpired(250)) {
                       window.activateWindow();
                       sinceAsked.start();
                   }
                   return false;
               },
               20000) &&
           QTest::qWaitForWindowActive(&window);
}

class ViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The recent-file list goes to a settings folder of the test's own, never the user's.
        // The exact texts below are the Japanese ones, whatever the locale of the machine running this.
        QVERIFY(useEditorLanguage(EditorLanguage::Japanese));
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(settingsDir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        QVERIFY(dir_.isValid());
        QVERIFY(QDir().mkpath(dir_.filePath("sub")));
        QVERIFY(QDir().mkpath(dir_.filePath("poses")));  // kept apart from the models, which would load them
        writeFile(dir_.filePath("sub/a.part"), partText("a.png"));
        writeSolidPng(dir_.filePath("sub/a.png"), kOrange);
        writeFile(dir_.filePath("b.part"), partText("b.png"));
        writeSolidPng(dir_.filePath("b.png"), kTeal);
        writeFile(dir_.filePath("pair.model"),
                  "{joints_link=[{joint_num=[1,0,],length=3,part_num=[0,1,],},{joint_num=[0,0,],length=0,"
                  "part_num=[0,9,],},],"
                  "parts=[sub\\a.part,b.part,],}");
    }

    void menusAndCommands() {
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("Untitled - rigbench"));
        QVERIFY(!frame.isWindowModified());

        const QList<QAction*> menus = frame.menuBar()->actions();
        QCOMPARE(menus.first()->text(), QStringLiteral("ファイル(&F)"));
        QCOMPARE(menus.last()->text(), QStringLiteral("ヘルプ(&H)"));
        QAction* newAct = frame.action(ID_FILE_NEW);
        QCOMPARE(newAct->text(), QStringLiteral("新規作成\tCtrl+N(&N)"));
        QCOMPARE(newAct->statusTip(), QStringLiteral("新規にファイルを作成"));
        QCOMPARE(newAct->toolTip(), QStringLiteral("新規ファイル"));
        QCOMPARE(newAct->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(frame.action(ID_APP_EXIT)->statusTip(),
                 QStringLiteral("アプリケーションを終了し、ファイルの保存を指示\\終了"));
        for (int disabled : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_FILE_PRINT}) {
            QVERIFY(!frame.action(disabled)->isEnabled());
        }
        QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("レディ"));

        QAction* toolBarAct = frame.action(ID_VIEW_TOOLBAR);
        QAction* statusAct = frame.action(ID_VIEW_STATUS_BAR);
        QVERIFY(toolBarAct->isChecked() && statusAct->isChecked());
        toolBarAct->trigger();
        statusAct->trigger();
        QVERIFY(!frame.toolBar()->isVisible() && !frame.statusBar()->isVisible());
        QVERIFY(!toolBarAct->isChecked() && !statusAct->isChecked());
        toolBarAct->trigger();
        QVERIFY(frame.toolBar()->isVisible() && toolBarAct->isChecked());

        // The tool windows come with the first frame, docked.
        QTRY_VERIFY(frame.view()->partDialog() != nullptr);
        CPartDlg* parts = frame.view()->partDialog();
        QVERIFY(parts->isVisible() && frame.view()->modeDialog()->isVisible());
        QVERIFY(!(parts->windowFlags() & Qt::WindowCloseButtonHint));
        QComboBox* modes = frame.view()->modeDialog()->modeCombo;
        QCOMPARE(modes->count(), 2);
        QCOMPARE(modes->itemText(0), QStringLiteral("パーツ移動モード"));
        QCOMPARE(modes->itemText(1), QStringLiteral("関節接着モード"));
        QCOMPARE(modes->currentIndex(), 0);

        // Opening lists the parts in order with the last one selected and names the window.
        QVERIFY(frame.openDocument(dir_.filePath("pair.model")));
        QCOMPARE(parts->partList->count(), 2);
        QCOMPARE(parts->partList->item(0)->text(), QStringLiteral("sub\\a.part"));
        QCOMPARE(parts->partList->currentRow(), 1);
        QCOMPARE(frame.windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("pair.model - rigbench"));

        // A changed link marks the document; New asks first, and Cancel keeps everything.
        frame.document().model.links.pop_back();
        frame.document().UpdateAllViews();
        QVERIFY(frame.isWindowModified());
        answerNextQuestion(QMessageBox::Cancel);
        QVERIFY(!frame.newDocument());
        QCOMPARE(frame.document().model.parts.size(), std::size_t(2));
        answerNextQuestion(QMessageBox::Discard);
        QVERIFY(frame.newDocument());
        QCOMPARE(parts->partList->count(), 0);
        QCOMPARE(frame.windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("Untitled - rigbench"));

        // Answered with Save, the work is saved and New goes on, through the toolbar's New button;
        // when that save fails, New is cancelled and the work stays.
        QAbstractButton* newButton = qobject_cast<QAbstractButton*>(frame.toolBar()->widgetForAction(newAct));
        QVERIFY(newButton);
        parts->appendPart(QStringLiteral("b.part"));
        const QString kept = dir_.filePath("kept.model");
        frame.chooseModelFile = [&kept](bool forSaving) { return forSaving ? kept : QString(); };
        frame.document().commitSave = [](QSaveFile& file) {
            file.cancelWriting();
            return file.commit();
        };
        answerNextQuestion(QMessageBox::Save);
        answerNextQuestion(QMessageBox::Ok);  // the failed save's message
        newButton->click();
        QCOMPARE(frame.document().model.parts.size(), std::size_t(1));
        QVERIFY(frame.isWindowModified());
        QVERIFY(!QFile::exists(kept));
        frame.document().commitSave = nullptr;
        answerNextQuestion(QMessageBox::Save);
        newButton->click();
        QVERIFY(frame.document().model.parts.empty());
        QVERIFY(!frame.isWindowModified());
        QFile keptFile(kept);
        QVERIFY(keptFile.open(QIODevice::ReadOnly));
        QCOMPARE(keptFile.readAll(), QByteArray("{joints_link=[],parts=[b.part,],},"));
        frame.chooseModelFile = nullptr;

        // Saving names the window after the file; the recent list keeps the last four across runs.
        for (int i = 0; i < 5; ++i)
            QVERIFY(frame.saveDocumentTo(dir_.filePath(QStringLiteral("r%1.model").arg(i))));
        QCOMPARE(frame.windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("r4.model - rigbench"));
        // Closing the main window takes the tool windows with it.
        QVERIFY(frame.close());
        QVERIFY(!parts->isVisible() && !frame.view()->modeDialog()->isVisible());

        CMainFrame next;
        QCOMPARE(next.recentFiles().size(), 4);
        QCOMPARE(QFileInfo(next.recentFiles().first()).fileName(), QStringLiteral("r4.model"));
        QCOMPARE(QFileInfo(next.recentFiles().last()).fileName(), QStringLiteral("r1.model"));
    }

    void viewPixels() {
        CMainFrame frame;
        QVERIFY(showWithTools(frame));
        CrigbenchView* view = frame.view();

        // Empty document: background, both grid spacings, the anchors where picking says they are.
        QImage image = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        QVERIFY(colourNear(image, view, {1.25f, 1.25f}, kBackground, 0));
        QVERIFY(colourNear(image, view, {1.25f, 1.3f}, kLightGrey));
        QVERIFY(colourNear(image, view, {1.25f, 1.5f}, kWhite));
        QVERIFY(colourNear(image, view, {1.3f, 1.25f}, kLightGrey));
        for (const Point2& anchor : kUnitSquare) {
            const ScreenPoint s = view->projectPlanePoint(anchor);
            const Point2 back = view->pickPlanePoint(s.x, s.y);
            QVERIFY(std::fabs(back.x - anchor.x) < 1e-3f && std::fabs(back.y - anchor.y) < 1e-3f);
            QVERIFY(colourNear(image, view, anchor, kBlack));
        }
        // Picking maps the view's centre to the origin and its top edge to y > 0.
        const Point2 centre = view->pickPlanePoint(view->width() / 2.0f, view->height() / 2.0f);
        QVERIFY(std::fabs(centre.x) < 1e-3f && std::fabs(centre.y) < 1e-3f);
        QVERIFY(view->pickPlanePoint(view->width() / 2.0f, 0.0f).y > 1.0f);

        // Two textured parts (one texture beside its part, one by its bare name), the second moved
        // right and selected after the open; a link between them; a link naming no part.
        QVERIFY(frame.openDocument(dir_.filePath("pair.model")));
        EditModel& model = frame.document().model;
        moveWhole(model.parts[1], 1.5f);
        image = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        QVERIFY(colourNear(image, view, {-0.25f, -0.3f}, kOrange, 0));
        QVERIFY(colourNear(image, view, {1.25f, -0.3f}, kTeal, 0));
        QVERIFY(colourNear(image, view, {1.5f, 0.0f}, kRed, 0));  // the diagonals cross at the centre
        for (const Point2& c : model.parts[1].corners) QVERIFY(colourNear(image, view, c, kRed));
        QVERIFY(colourNear(image, view, {1.5f, 0.25f}, QColor(255, 0, 255)));  // a joint's cross
        const Point2 a = model.parts[0].joints[1];
        const Point2 b = model.parts[1].joints[0];
        QVERIFY(colourNear(image, view, {(a.x + b.x) / 2.0f, (a.y + b.y) / 2.0f}, kGreen, 0));
        QVERIFY(!colourNear(image, view, {0.0f, 0.0f}, kRed, 3));  // part 0 is not marked

        // Changing the selection redraws with the new part marked.
        view->partDialog()->partList->setCurrentRow(0);
        image = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        QVERIFY(colourNear(image, view, {0.0f, 0.0f}, kRed, 0));
        QVERIFY(colourNear(image, view, {1.5f, 0.0f}, kTeal, 0));
        view->partDialog()->partList->setCurrentRow(-1);
        image = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(countColour(image, kRed), 0);
        QVERIFY(colourNear(image, view, {(a.x + b.x) / 2.0f, (a.y + b.y) / 2.0f}, kGreen, 0));

        // One notch towards the user moves the camera back: the puppet gets smaller. Small touchpad
        // deltas add up to a notch before anything moves.
        const int before = countColour(image, kTeal);
        wheel(view, -40);
        wheel(view, -40);
        QCOMPARE(view->cameraDistance(), 5.0f);
        wheel(view, -40);
        QCOMPARE(view->cameraDistance(), 6.0f);
        image = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        const int after = countColour(image, kTeal);
        QVERIFY2(after < before * 0.8, qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
        wheel(view, 120);
        QCOMPARE(view->cameraDistance(), 5.0f);
    }

    void mouseEditing() {
        CMainFrame frame;
        QVERIFY(showWithTools(frame));
        CrigbenchView* view = frame.view();
        CPartDlg* dialog = view->partDialog();
        QVERIFY(frame.openDocument(dir_.filePath("pair.model")));
        EditModel& model = frame.document().model;
        model.links.clear();
        moveWhole(model.parts[1], 1.5f);
        QCOMPARE(dialog->currentPart(), 1);

        // Ctrl+click on the selected row leaves no selection (the current row stays): the view marks
        // nothing, a press on its joint picks nothing, and Delete, ↑ and ↓ do nothing.
        QTest::mouseClick(dialog->partList->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          dialog->partList->visualItemRect(dialog->partList->item(1)).center());
        QCOMPARE(dialog->partList->currentRow(), 1);
        QCOMPARE(dialog->currentPart(), -1);
        QCOMPARE(countColour(view->grabFramebuffer().convertToFormat(QImage::Format_RGB32), kRed), 0);
        view->modeDialog()->modeCombo->setCurrentIndex(1);
        press(view, model.parts[1].joints[0]);
        QVERIFY(view->pickedJoints().empty());
        view->modeDialog()->modeCombo->setCurrentIndex(0);
        for (QPushButton* button : {dialog->deleteButton, dialog->upButton, dialog->downButton})
            QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(model.parts.size(), std::size_t(2));
        QCOMPARE(model.parts[1].path, std::string("b.part"));
        QVERIFY(!frame.document().canUndo());
        clickRow(dialog->partList, 1);
        QCOMPARE(dialog->currentPart(), 1);

        // A press just outside a corner's reach (and off every picture) grabs nothing; just inside grabs
        // it, and dragging that corner turns and moves the part while it stays a unit square.
        mouse(view, QEvent::MouseButtonPress, view->projectPlanePoint({1.0f - 0.06f, 0.5f}), Qt::LeftButton);
        QVERIFY(view->dragCorners().empty());
        mouse(view, QEvent::MouseButtonRelease, view->projectPlanePoint({0.94f, 0.5f}), Qt::NoButton);
        frame.document().anchoring = true;
        drag(view, {1.0f + 0.03f, 0.5f}, {1.3f, 0.9f});
        QVERIFY(!frame.document().anchoring);  // any press lets go of a loaded pose
        QVERIFY(view->dragCorners().empty());
        EditPart& right = model.parts[1];
        QVERIFY(std::fabs(right.corners[0].x - 1.27f) < 0.01f &&
                std::fabs(right.corners[0].y - 0.9f) < 0.01f);
        QVERIFY(std::fabs(side(right) - 1.0f) < 0.02f);
        QVERIFY(std::fabs(distance(right.corners[0], right.corners[2]) - kSquareDiagonal) < 0.02f);

        // Near the centre and near no corner: all four corners move together, without turning.
        const Point2 centre = right.centre();
        const auto before = right.corners;
        drag(view, {centre.x + 0.1f, centre.y}, {centre.x + 0.6f, centre.y - 0.2f});
        for (int k = 0; k < 4; ++k) {
            QVERIFY(std::fabs(right.corners[k].x - (before[k].x + 0.5f)) < 0.01f);
            QVERIFY(std::fabs(right.corners[k].y - (before[k].y - 0.2f)) < 0.01f);
        }

        // With A held, in either mode, the whole puppet moves and nothing is picked.
        view->modeDialog()->modeCombo->setCurrentIndex(1);
        const Point2 left0 = model.parts[0].corners[0];
        const Point2 right0 = model.parts[1].corners[0];
        key(view, QEvent::KeyPress);
        drag(view, model.parts[1].joints[0], {model.parts[1].joints[0].x - 0.4f, model.parts[1].joints[0].y});
        key(view, QEvent::KeyRelease);
        QVERIFY(view->pickedJoints().empty());
        QVERIFY(std::fabs(model.parts[0].corners[0].x - (left0.x - 0.4f)) < 0.01f);
        QVERIFY(std::fabs(model.parts[1].corners[0].x - (right0.x - 0.4f)) < 0.01f);

        // Joint attach mode: two joints of the same part make no link; a joint of one part and then
        // of another make one link of their present length.
        press(view, model.parts[1].joints[0]);
        QCOMPARE(view->pickedJoints().size(), std::size_t(1));
        press(view, model.parts[1].joints[1]);
        QVERIFY(view->pickedJoints().empty());
        QVERIFY(model.links.empty());
        press(view, model.parts[1].joints[1]);
        dialog->partList->setCurrentRow(0);
        press(view, model.parts[0].joints[0]);
        QCOMPARE(model.links.size(), std::size_t(1));
        const JointLink link = model.links[0];
        QCOMPARE(link.partA, 1);
        QCOMPARE(link.jointA, 1);
        QCOMPARE(link.partB, 0);
        QCOMPARE(link.jointB, 0);
        QVERIFY(std::fabs(link.length - distance(model.parts[1].joints[1], model.parts[0].joints[0])) <
                0.02f);
        QVERIFY(frame.isWindowModified());

        // A joint picked before the part list changed is forgotten: it cannot link to a stale number.
        press(view, model.parts[0].joints[1]);
        QCOMPARE(view->pickedJoints().size(), std::size_t(1));
        dialog->OnMoveDown();
        QVERIFY(view->pickedJoints().empty());
        QVERIFY(model.links.empty());  // reordering removes the links
        QCOMPARE(dialog->partList->item(1)->text(), QStringLiteral("sub\\a.part"));
        QCOMPARE(model.parts[1].path, std::string("sub\\a.part"));
        QCOMPARE(dialog->currentPart(), 1);
        dialog->OnMoveDown();  // already last: nothing
        QCOMPARE(dialog->currentPart(), 1);
        dialog->OnMoveUp();
        QCOMPARE(dialog->partList->item(0)->text(), QStringLiteral("sub\\a.part"));

        // Append takes the typed prefix and the chosen file's name, never the dialog's folder.
        dialog->folderEdit->setText(QStringLiteral("sub\\"));
        dialog->appendPart(QStringLiteral("/somewhere/else/a.part"));
        QCOMPARE(model.parts.size(), std::size_t(3));
        QCOMPARE(model.parts[2].path, std::string("sub\\a.part"));
        QCOMPARE(model.parts[2].texture, std::string("a.png"));
        QCOMPARE(dialog->currentPart(), 2);

        // Delete: the selection stays at the same row, or moves up from the last; none when empty.
        dialog->partList->setCurrentRow(0);
        dialog->OnDelete();
        QCOMPARE(dialog->currentPart(), 0);
        dialog->partList->setCurrentRow(1);
        dialog->OnDelete();
        QCOMPARE(dialog->currentPart(), 0);
        dialog->OnDelete();
        QCOMPARE(dialog->partList->count(), 0);
        QCOMPARE(dialog->currentPart(), -1);
        QVERIFY(model.parts.empty());

        // The prefix still says sub\, where no b.part is: Append says so and stores the path that
        // reaches the picked file.
        QString question;
        answerNextQuestion(QMessageBox::Yes, &question);
        dialog->appendPart(dir_.filePath("b.part"));
        QVERIFY(question.contains(QStringLiteral("sub\\b.part")));
        QCOMPARE(model.parts[0].path, std::string("b.part"));
        QCOMPARE(model.parts[0].texture, std::string("b.png"));

        // Save Pose and Load Pose use the whole chosen path; a loaded pose pulls a part back.
        const auto placed = model.parts[0].corners;
        dialog->savePose(dir_.filePath("poses/elsewhere.pose"));
        QVERIFY(QFile::exists(dir_.filePath("poses/elsewhere.pose")));
        for (Point2& c : model.parts[0].corners) c.x += 0.7f;
        dialog->loadPose(dir_.filePath("poses/elsewhere.pose"));
        QVERIFY(frame.document().anchoring);
        QTRY_VERIFY_WITH_TIMEOUT(std::fabs(model.parts[0].corners[0].x - placed[0].x) < 0.02f, 10000);
    }

    void modeDialog() {
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QTRY_VERIFY(frame.view()->modeDialog() != nullptr);
        CModeDlg* dialog = frame.view()->modeDialog();
        // The window keeps its caption; the dock that holds it has a title of its own.
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Dialog"));
        QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(dialog->parentWidget(), frame.modeDock());
        QCOMPARE(frame.modeDock()->windowTitle(), QStringLiteral("編集モード"));

        // The box lies inside the window and shows each mode's name in full.
        QComboBox* modes = dialog->modeCombo;
        QVERIFY(dialog->rect().contains(modes->geometry()));
        for (int i = 0; i < modes->count(); ++i) {
            QVERIFY(modes->lineEdit()->fontMetrics().horizontalAdvance(modes->itemText(i)) <
                    modes->lineEdit()->width());
        }
        QVERIFY(modes->isEditable());
        QCOMPARE(modes->count(), 2);
        QCOMPARE(modes->itemText(0), QStringLiteral("パーツ移動モード"));
        QCOMPARE(modes->itemText(1), QStringLiteral("関節接着モード"));
        QCOMPARE(dialog->mode(), CModeDlg::PartMove);
        modes->setCurrentIndex(1);
        QCOMPARE(dialog->mode(), CModeDlg::JointAttach);

        // Typed text selects no item, so a press moves the part, whatever mode was chosen before;
        // choosing an item from the box again selects it.
        QVERIFY(frame.openDocument(dir_.filePath("pair.model")));
        CrigbenchView* view = frame.view();
        QTest::keyClicks(modes->lineEdit(), QStringLiteral("x"));
        QCOMPARE(dialog->mode(), CModeDlg::PartMove);
        const EditPart& selected = frame.document().model.parts[1];
        press(view, selected.joints[0]);
        QVERIFY(view->pickedJoints().empty());
        const Point2 before = selected.centre();
        drag(view, {before.x + 0.1f, before.y}, {before.x + 0.6f, before.y});
        QVERIFY(std::fabs(selected.centre().x - (before.x + 0.5f)) < 0.02f);
        QTest::keyClick(modes, Qt::Key_Up);
        QTest::keyClick(modes, Qt::Key_Down);
        QCOMPARE(modes->currentIndex(), 1);
        QCOMPARE(dialog->mode(), CModeDlg::JointAttach);
        press(view, selected.joints[0]);
        QCOMPARE(view->pickedJoints().size(), std::size_t(1));

        // Enter and Escape, and the window manager's close, leave it open.
        dialog->activateWindow();
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTest::keyClick(dialog, Qt::Key_Return);
        QTest::keyClick(modes, Qt::Key_Escape);
        QTest::keyClick(modes, Qt::Key_Return);
        QVERIFY(!dialog->close());
        QVERIFY(dialog->isVisible());
        QCOMPARE(modes->count(), 2);  // typed text is never added as an item
        QCOMPARE(dialog->result(), 0);
    }

    void undoRedo() {
        CMainFrame frame;
        QVERIFY(showWithTools(frame));
        CrigbenchView* view = frame.view();
        CPartDlg* dialog = view->partDialog();
        QVERIFY(frame.openDocument(dir_.filePath("pair.model")));  // the part files' folder
        QVERIFY(frame.newDocument());
        CrigbenchDoc& doc = frame.document();
        EditModel& model = doc.model;
        QAction* undoAct = frame.action(ID_EDIT_UNDO);
        QAction* redoAct = frame.action(ID_EDIT_REDO);
        QCOMPARE(redoAct->text(), QStringLiteral("やり直し\tCtrl+Shift+Z(&R)"));
        QVERIFY(redoAct->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
        QVERIFY(!undoAct->isEnabled() && !redoAct->isEnabled());

        std::vector<Shot> shots{shoot(doc)};
        QString chosen;
        dialog->chooseFile = [&chosen](const QString&, bool) { return chosen; };
        frame.chooseModelFile = [this](bool) { return dir_.filePath("undo.model"); };

        // Two appends, each a step; the model saved after them is the unmodified state.
        chosen = dir_.filePath("b.part");
        QTest::mouseClick(dialog->appendButton, Qt::LeftButton);
        shots.push_back(shoot(doc));
        dialog->folderEdit->setText(QStringLiteral("sub\\"));
        chosen = dir_.filePath("sub/a.part");
        QTest::mouseClick(dialog->appendButton, Qt::LeftButton);
        shots.push_back(shoot(doc));
        QVERIFY(undoAct->isEnabled() && !redoAct->isEnabled());
        frame.action(ID_FILE_SAVE)->trigger();
        QVERIFY(!frame.isWindowModified());

        // A corner drag is one step however many moves it takes; a press without a move is none.
        drag(view, model.parts[1].centre(), {1.5f, 0.0f}, 8);
        shots.push_back(shoot(doc));
        press(view, {3.0f, 3.0f});
        clickRow(dialog->partList, 0);
        drag(view, model.parts[0].corners[0], {-1.0f, 0.8f}, 5);
        shots.push_back(shoot(doc));

        // A link, from two presses on different parts.
        view->modeDialog()->modeCombo->setCurrentIndex(1);
        clickRow(dialog->partList, 1);
        press(view, model.parts[1].joints[0]);
        clickRow(dialog->partList, 0);
        press(view, model.parts[0].joints[1]);
        QCOMPARE(model.links.size(), std::size_t(1));
        QVERIFY(frame.isWindowModified());
        shots.push_back(shoot(doc));

        // A whole-puppet drag with A held, then a loaded pose, each one step.
        key(view, QEvent::KeyPress);
        drag(view, {0.0f, 0.0f}, {0.3f, -0.4f}, 6);
        key(view, QEvent::KeyRelease);
        shots.push_back(shoot(doc));
        chosen = dir_.filePath("poses/undo.pose");
        QTest::mouseClick(dialog->savePoseButton, Qt::LeftButton);
        QTest::mouseClick(dialog->loadPoseButton, Qt::LeftButton);
        QVERIFY(doc.anchoring);
        shots.push_back(shoot(doc));

        // ↑ on the first part changes nothing and keeps the link; ↑ on the second exchanges the parts
        // and removes it; Delete removes the link too (here there is none left, so link first again).
        clickRow(dialog->partList, 0);
        QTest::mouseClick(dialog->upButton, Qt::LeftButton);
        QCOMPARE(model.links.size(), std::size_t(1));
        QVERIFY(same(shoot(doc), shots.back()));
        clickRow(dialog->partList, 1);
        QTest::mouseClick(dialog->upButton, Qt::LeftButton);
        QVERIFY(model.links.empty());
        QCOMPARE(model.parts[0].path, std::string("sub\\a.part"));
        shots.push_back(shoot(doc));
        QTest::mouseClick(dialog->downButton, Qt::LeftButton);
        QCOMPARE(model.parts[0].path, std::string("b.part"));
        shots.push_back(shoot(doc));
        // The first press lets go of the loaded pose: that too is a step of its own.
        clickRow(dialog->partList, 1);
        press(view, model.parts[1].joints[1]);
        QVERIFY(!doc.anchoring);
        shots.push_back(shoot(doc));
        clickRow(dialog->partList, 0);
        press(view, model.parts[0].joints[0]);
        QCOMPARE(model.links.size(), std::size_t(1));
        shots.push_back(shoot(doc));
        QTest::mouseClick(dialog->deleteButton, Qt::LeftButton);
        QVERIFY(model.links.empty());
        QCOMPARE(model.parts.size(), std::size_t(1));
        shots.push_back(shoot(doc));

        // Back through every step to the empty model, then forward again; the keys work as the menu.
        const int steps = static_cast<int>(shots.size()) - 1;
        for (int i = steps; i > 0; --i) {
            QVERIFY(undoAct->isEnabled());
            if (i == steps) {
                QVERIFY(makeActive(frame));
                QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
            } else {
                undoAct->trigger();
            }
            QVERIFY2(same(shoot(doc), shots[static_cast<std::size_t>(i - 1)]),
                     qPrintable(QString::number(i)));
            QCOMPARE(dialog->partList->count(), static_cast<int>(model.parts.size()));
            // Back at the saved parts and links, the document is not modified.
            if (i - 1 >= 2 && i - 1 <= 4) QVERIFY(!frame.isWindowModified());
            if (i - 1 >= 5 && i - 1 <= 8) QVERIFY(frame.isWindowModified());
        }
        QVERIFY(!undoAct->isEnabled() && redoAct->isEnabled());
        QVERIFY(!frame.undo());
        for (int i = 1; i <= steps; ++i) {
            if (i == 1) {
                QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            } else {
                redoAct->trigger();
            }
            QVERIFY2(same(shoot(doc), shots[static_cast<std::size_t>(i)]), qPrintable(QString::number(i)));
            QCOMPARE(dialog->partList->count(), static_cast<int>(model.parts.size()));
        }
        QVERIFY(!redoAct->isEnabled());

        // A new edit after an undo drops what could have been redone; Open forgets the history.
        QVERIFY(frame.undo());
        QVERIFY(redoAct->isEnabled());
        chosen = dir_.filePath("b.part");
        dialog->folderEdit->clear();
        QTest::mouseClick(dialog->appendButton, Qt::LeftButton);
        QVERIFY(!redoAct->isEnabled() && undoAct->isEnabled());
        answerNextQuestion(QMessageBox::Discard);
        QVERIFY(frame.confirmDiscard());
        QVERIFY(frame.openDocument(dir_.filePath("pair.model")));
        QVERIFY(!undoAct->isEnabled() && !redoAct->isEnabled());

        // The grab radius is 0.05: a press at 0.0499 from a corner grabs it, one at 0.0501 does not
        // (0.05 itself lands either side of the line after the trip through the screen's pixels).
        view->modeDialog()->modeCombo->setCurrentIndex(0);
        const Point2 c1 = model.parts[1].corners[3];
        mouse(view, QEvent::MouseButtonPress, view->projectPlanePoint({c1.x + 0.0501f, c1.y}),
              Qt::LeftButton);
        QVERIFY(view->dragCorners().empty());
        mouse(view, QEvent::MouseButtonRelease, view->projectPlanePoint({c1.x + 0.0501f, c1.y}),
              Qt::NoButton);
        const Point2 c2 = model.parts[1].corners[3];
        mouse(view, QEvent::MouseButtonPress, view->projectPlanePoint({c2.x + 0.0499f, c2.y}),
              Qt::LeftButton);
        QCOMPARE(view->dragCorners().size(), std::size_t(1));
        QCOMPARE(view->dragCorners()[0], std::make_pair(1, 3));
        mouse(view, QEvent::MouseButtonRelease, view->projectPlanePoint({c2.x + 0.0499f, c2.y}),
              Qt::NoButton);
        // Two corners within reach of one press are grabbed together (set and pressed before any tick).
        EditPart& squeezed = model.parts[1];
        squeezed.corners[0] = {squeezed.corners[1].x + 0.02f, squeezed.corners[1].y};
        mouse(view, QEvent::MouseButtonPress,
              view->projectPlanePoint({squeezed.corners[1].x + 0.01f, squeezed.corners[1].y}),
              Qt::LeftButton);
        QCOMPARE(view->dragCorners().size(), std::size_t(2));
        mouse(view, QEvent::MouseButtonRelease, view->projectPlanePoint({0.0f, 0.0f}), Qt::NoButton);
    }

    // What the editor is for: a puppet put together and posed with the widgets alone stands in the
    // game where it stood in the editor.
    void posedPuppetStandsInGame() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const char* names[3] = {"body", "arm", "leg"};
        for (const char* name : names) {
            writeFile(dir.filePath(QStringLiteral("%1.part").arg(QLatin1String(name))), partText("a.png"));
        }
        writeSolidPng(dir.filePath("a.png"), kOrange);
        QVERIFY(setProgramFolder(dir.path().toStdString()));

        CMainFrame frame;
        QVERIFY(showWithTools(frame));
        CrigbenchView* view = frame.view();
        CPartDlg* dialog = view->partDialog();
        EditModel& model = frame.document().model;
        QString chosen;
        dialog->chooseFile = [&chosen](const QString&, bool) { return chosen; };
        frame.chooseModelFile = [&dir](bool) { return dir.filePath("rig.model"); };

        for (const char* name : names) {
            chosen = QStringLiteral("/elsewhere/%1.part").arg(QLatin1String(name));
            QTest::mouseClick(dialog->appendButton, Qt::LeftButton);
        }
        QCOMPARE(model.parts.size(), std::size_t(3));

        // The leg (selected last) goes down and is turned by a corner; the arm goes right; the body
        // stays on the reference square.
        drag(view, {0.0f, 0.0f}, {0.1f, -0.95f}, 10);
        drag(view, model.parts[2].corners[3],
             {model.parts[2].corners[3].x + 0.15f, model.parts[2].corners[3].y}, 6);
        clickRow(dialog->partList, 1);
        drag(view, {0.0f, 0.0f}, {0.95f, 0.1f}, 10);

        // Joint attach mode: leg joint 0 to body joint 1, arm joint 0 to body joint 1... of each pair.
        view->modeDialog()->modeCombo->setCurrentIndex(1);
        clickRow(dialog->partList, 2);
        press(view, model.parts[2].joints[0]);
        clickRow(dialog->partList, 0);
        press(view, model.parts[0].joints[1]);
        clickRow(dialog->partList, 1);
        press(view, model.parts[1].joints[0]);
        clickRow(dialog->partList, 0);
        press(view, model.parts[0].joints[0]);
        QCOMPARE(model.links.size(), std::size_t(2));

        // Let the editor settle the links (until a second of ticks moves nothing), then save the model
        // and the pose of where everything stands.
        for (int waited = 0; waited < 20; ++waited) {
            const std::vector<EditPart> before = model.parts;
            QTest::qWait(1000);
            float moved = 0.0f;
            for (std::size_t m = 0; m < 3; ++m)
                for (std::size_t j = 0; j < 4; ++j)
                    moved = std::max(moved, distance(before[m].corners[j], model.parts[m].corners[j]));
            if (moved < 1e-6f) break;
        }
        frame.action(ID_FILE_SAVE)->trigger();
        QVERIFY(!frame.isWindowModified());
        chosen = dir.filePath("rig.pose");
        QTest::mouseClick(dialog->savePoseButton, Qt::LeftButton);
        const std::vector<EditPart> stood = model.parts;  // no tick runs between the click and here
        QVERIFY(QFile::exists(dir.filePath("rig.pose")));

        // The game's loader, as puppet-data settle uses it.
        TextureCache cache;
        cache.setHeadless(true);
        Puppet puppet;
        auto gamePath = [](const QString& path) {
            std::string p = path.toStdString();
            for (char& c : p) c = c == '/' ? '\\' : c;
            return p;
        };
        puppet.loadModel(gamePath(dir.filePath("rig.model")));
        QCOMPARE(puppet.parts.size(), std::size_t(3));
        QCOMPARE(puppet.links.size(), std::size_t(2));
        puppet.setPose(gamePath(dir.filePath("rig.pose")));
        QCOMPARE(puppet.pose.size(), std::size_t(48));
        puppet.set(Puppet::posed, true);
        int steps = 0;
        for (float moved = 1.0f; moved > 1e-7f && steps < 10000; ++steps) {
            std::vector<Point2> before;
            for (const PuppetPart& part : puppet.parts)
                for (const PointMass& c : part.frame.corners) before.push_back(inFrame(puppet.frame, c));
            puppet.step();
            moved = 0.0f;
            std::size_t n = 0;
            for (const PuppetPart& part : puppet.parts)
                for (const PointMass& c : part.frame.corners)
                    moved = std::max(moved, distance(before[n++], inFrame(puppet.frame, c)));
        }
        float worst = 0.0f;
        for (std::size_t m = 0; m < 3; ++m) {
            for (std::size_t j = 0; j < 4; ++j) {
                const Point2 settled = inFrame(puppet.frame, puppet.parts[m].frame.corners[j]);
                worst = std::max(worst, distance(settled, stood[m].corners[j]));
            }
        }
        qInfo("settled after %d steps; worst distance of a part corner from the editor: %.3g", steps,
              static_cast<double>(worst));
        QVERIFY2(worst < 1e-3f, qPrintable(QString::number(static_cast<double>(worst))));
        // The parts did not all just stay on the reference square.
        QVERIFY(distance(stood[1].centre(), stood[0].centre()) > 0.5f);
        QVERIFY(distance(stood[2].centre(), stood[0].centre()) > 0.5f);
    }

    void tryInGame() {
        CMainFrame frame;
        QVERIFY(showWithTools(frame));
        CrigbenchView* view = frame.view();
        QVERIFY(frame.openDocument(dir_.filePath("pair.model")));
        EditModel& model = frame.document().model;
        drag(view, model.parts[1].centre(), {0.6f, -0.9f}, 8);
        QTest::qWait(500);
        const Point2 stoodCentre = model.parts[1].centre();

        QAction* game = frame.action(ID_VIEW_GAME);
        QVERIFY(game->isCheckable() && frame.toolBar()->actions().contains(game));
        game->trigger();
        QVERIFY(view->gamePreviewOn());
        GamePreview* preview = view->gamePreview();
        for (int n = 0; n < 300; ++n) view->previewStep();
        // Posed, on the floor: the puppet comes to stand still, sagging under gravity by what the
        // status bar reports, with its lowest point on the floor rather than through it.
        const std::vector<float> distances = preview->settleDistances();
        QCOMPARE(distances.size(), std::size_t(2));
        qInfo("preview after 300 steps: %s", qPrintable(frame.statusBar()->currentMessage()));
        for (int n = 0; n < 300; ++n) view->previewStep();
        qInfo("preview after 600 steps: %s", qPrintable(frame.statusBar()->currentMessage()));
        for (std::size_t m = 0; m < 2; ++m) {
            QVERIFY(distances[m] < 0.5f);
            QVERIFY(std::fabs(preview->settleDistances()[m] - distances[m]) < 1e-3f);
        }
        float lowest = 1e9f;
        for (const PuppetPart& part : preview->puppet().parts) {
            for (const PointMass& c : part.frame.corners) lowest = std::min(lowest, c.y);
            for (const PointMass& j : part.joints) lowest = std::min(lowest, j.y);
        }
        QVERIFY2(std::fabs(lowest - preview->floorY()) < 0.01f,
                 qPrintable(QStringLiteral("%1 %2")
                                .arg(static_cast<double>(lowest))
                                .arg(static_cast<double>(preview->floorY()))));
        // The line says what its numbers are: each part's distance from where it stood in the editor.
        QVERIFY(frame.statusBar()->currentMessage().startsWith(
            QStringLiteral("ポーズ — エディタでの位置からのずれ (パーツ番号: 角の最大距離):  0: %1")
                .arg(static_cast<double>(preview->settleDistances()[0]), 0, 'f', 4)));
        // Mouse editing rests meanwhile, and so does the editor's own relaxation.
        drag(view, stoodCentre, {-1.0f, 1.0f});
        QVERIFY(distance(model.parts[1].centre(), stoodCentre) < 1e-4f);

        // M mirrors it: the frame's corner 0 comes to the right of corner 3, and it still stands.
        QTest::keyClick(view, Qt::Key_M);
        QVERIFY(!preview->puppet().has(Puppet::facingRight));
        for (int n = 0; n < 200; ++n) view->previewStep();
        qInfo("mirrored: %s", qPrintable(frame.statusBar()->currentMessage()));
        const auto& frameCorners = preview->puppet().frame.corners;
        QVERIFY(frameCorners[0].x > frameCorners[3].x);
        for (std::size_t m = 0; m < 2; ++m)
            QVERIFY(std::fabs(preview->settleDistances()[m] - distances[m]) < 0.01f);
        // L lets it fall limp: the parts leave the pose; L again stands it back up.
        QTest::keyClick(view, Qt::Key_L);
        QVERIFY(preview->limp());
        for (int n = 0; n < 200; ++n) view->previewStep();
        QVERIFY(frame.statusBar()->currentMessage().startsWith(QStringLiteral("脱力")));
        float fallen = 0.0f;
        for (float d : preview->settleDistances()) fallen = std::max(fallen, d);
        QVERIFY2(fallen > std::max(distances[0], distances[1]) + 0.05f,
                 qPrintable(QString::number(static_cast<double>(fallen))));

        // Off again: the editor's puppet as it was, editable, and the status bar idle.
        game->trigger();
        QVERIFY(!view->gamePreviewOn());
        QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("レディ"));
        drag(view, model.parts[1].centre(), {-1.0f, 1.0f});
        QVERIFY(distance(model.parts[1].centre(), {-1.0f, 1.0f}) < 0.05f);
    }

    // No file of the modder's is overwritten by mistake, and a model keeps its parts wherever it goes.
    void filesFollowTheModel() {
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QDir root(work.path());
        QVERIFY(root.mkpath("src") && root.mkpath("other") && root.mkpath("copies"));
        auto bytes = [&root](const char* name) {
            QFile file(root.filePath(QLatin1String(name)));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
        };
        writeFile(root.filePath("src/a.part"), partText("a.png"));
        writeSolidPng(root.filePath("src/a.png"), kOrange);
        writeFile(root.filePath("src/b.part"), partText("b.png"));
        writeSolidPng(root.filePath("src/b.png"), kTeal);
        writeFile(root.filePath("src/rig.model"),
                  "{joints_link=[{joint_num=[1,0,],length=0.5,part_num=[0,1,],},],parts=[a.part,b.part,],},");
        writeFile(root.filePath("src/holes.model"), "{parts=[a.part,gone.part,gone.part,],}");
        writeFile(root.filePath("other/a.part"), partText("a.png"));  // another part of the same name
        writeSolidPng(root.filePath("other/a.png"), kGreen);
        writeSolidPng(root.filePath("ball.png"), kBlack);
        writeFile(root.filePath("junk.model"), QByteArray("\x01\x02 {no model", 12));
        writeFile(root.filePath("ten.pose"), "[" + QByteArray("1,").repeated(160) + "],");
        const QByteArray ball = bytes("ball.png");

        CMainFrame frame;
        QVERIFY(showWithTools(frame));
        CrigbenchDoc& doc = frame.document();
        CPartDlg* dialog = frame.view()->partDialog();
        const QString rig = root.filePath("src/rig.model");
        QVERIFY(frame.openDocument(rig));

        // A picture, a pose and junk are refused with a message naming the file; the document, the
        // working folder and the recent list stay as they were, and Ctrl+S then writes the model.
        for (const char* name : {"ball.png", "ten.pose", "junk.model"}) {
            QString message;
            answerNextQuestion(QMessageBox::Ok, &message);
            QVERIFY(!frame.openDocument(root.filePath(QLatin1String(name))));
            QVERIFY2(message.contains(QLatin1String(name)), qPrintable(message));
            QCOMPARE(doc.model.parts.size(), std::size_t(2));
            QCOMPARE(QString::fromStdString(doc.pathName()), rig);
            QVERIFY(!frame.recentFiles().join(QLatin1Char('|')).contains(QLatin1String(name)));
        }
        QCOMPARE(QDir::currentPath(), root.filePath("src"));
        doc.model.links.clear();
        doc.UpdateAllViews();
        QVERIFY(makeActive(frame));
        QTest::keyClick(frame.view(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(bytes("ball.png"), ball);
        QCOMPARE(bytes("src/rig.model"), QByteArray("{joints_link=[],parts=[a.part,b.part,],},"));

        // A recent entry that no longer opens leaves the list.
        QVERIFY(QFile::copy(rig, root.filePath("src/twin.model")));
        QVERIFY(frame.openDocument(root.filePath("src/twin.model")));
        writeFile(root.filePath("src/twin.model"), "twin");
        QAction* twin = nullptr;
        for (QAction* act : frame.findChildren<QAction*>())
            if (act->text().endsWith(QStringLiteral("twin.model"))) twin = act;
        QVERIFY(twin);
        answerNextQuestion(QMessageBox::Ok);
        twin->trigger();
        QVERIFY(!frame.recentFiles().join(QLatin1Char('|')).contains(QStringLiteral("twin.model")));

        // Missing part files: the model opens with every part, and one message names each file once.
        QString missing;
        answerNextQuestion(QMessageBox::Ok, &missing);
        QVERIFY(frame.openDocument(root.filePath("src/holes.model")));
        QCOMPARE(doc.model.parts.size(), std::size_t(3));
        QCOMPARE(missing.count(QStringLiteral("gone.part")), 1);
        QVERIFY(!missing.contains(QStringLiteral("a.part")));

        // Append of another folder's a.part, which the rule would take from src: copied beside the
        // model under a free name with its picture, one undo step; src's own files stay.
        QVERIFY(frame.openDocument(rig));
        answerNextQuestion(QMessageBox::Save);
        dialog->appendPart(root.filePath("other/a.part"));
        QCOMPARE(doc.model.parts.size(), std::size_t(3));
        QCOMPARE(doc.model.parts[2].path, std::string("a_2.part"));
        QCOMPARE(doc.model.parts[2].texture, std::string("a_2.png"));
        QCOMPARE(bytes("src/a_2.png"), bytes("other/a.png"));
        QCOMPARE(bytes("src/a.part"), partText("a.png"));
        QVERIFY(frame.undo());
        QCOMPARE(doc.model.parts.size(), std::size_t(2));
        QVERIFY(frame.redo());

        // Save As into another folder, paths rewritten: the model there reaches the parts, and the
        // working folder follows it, as the status bar shows.
        QString target = root.filePath("other/rig.model");
        frame.chooseModelFile = [&target](bool) { return target; };
        answerNextQuestion(QMessageBox::Yes);
        QVERIFY(frame.saveDocumentAs());
        QCOMPARE(doc.model.parts[0].path, std::string("..\\src\\a.part"));
        QCOMPARE(QDir::currentPath(), root.filePath("other"));
        QVERIFY(frame.folderField()->text().contains(QDir::toNativeSeparators(root.filePath("other"))));
        {
            CrigbenchDoc reopened;
            QVERIFY(reopened.OnOpenDocument(target.toStdString()));
            QVERIFY(reopened.missingParts().empty());
            QCOMPARE(reopened.model.parts[2].texture, std::string("a_2.png"));
        }

        // Save As with the parts copied: the copy stands alone, src gone, and opens with its pictures.
        target = root.filePath("copies/rig.model");
        answerNextQuestion(QMessageBox::Save);
        QVERIFY(frame.saveDocumentAs());
        QCOMPARE(doc.model.parts[0].path, std::string("a.part"));
        QCOMPARE(doc.model.parts[2].path, std::string("a_2.part"));
        QCOMPARE(dialog->poseFolder(), root.filePath("copies"));
        QVERIFY(QDir(work.path()).rename("src", "gone"));
        // A pose of the parts spread apart, beside the model as the game's first pose, and a pose
        // made for ten parts.
        moveWhole(doc.model.parts[0], -1.2f);
        moveWhole(doc.model.parts[1], 1.2f);
        dialog->savePose(root.filePath("copies/normal.pose"));
        QVERIFY(QFile::copy(root.filePath("ten.pose"), root.filePath("copies/ten.pose")));
        QVERIFY(frame.newDocument());
        QVERIFY(frame.openDocument(target));
        QVERIFY(doc.missingParts().empty());
        QVERIFY(doc.anchoring);
        QVERIFY(frame.statusBar()->currentMessage().contains(QStringLiteral("normal.pose")));
        QVERIFY(!frame.document().canUndo());
        dialog->partList->setCurrentRow(-1);
        const QImage image = frame.view()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        QVERIFY(colourNear(image, frame.view(), {-1.2f, -0.3f}, kOrange, 0));
        QVERIFY(colourNear(image, frame.view(), {1.2f, -0.3f}, kTeal, 0));

        // The poses beside the model are listed; the one for ten parts says so when loaded.
        QAction* tenPose = nullptr;
        for (QAction* act : frame.poseMenu()->actions())
            if (act->text() == QStringLiteral("ten.pose")) tenPose = act;
        QVERIFY(tenPose);
        QString wrong;
        answerNextQuestion(QMessageBox::Ok, &wrong);
        tenPose->trigger();
        QVERIFY2(wrong.contains(QStringLiteral("160")) && wrong.contains(QStringLiteral("48")),
                 qPrintable(wrong));
        frame.chooseModelFile = nullptr;
    }

    void opensGameModel() {
        const QString hero = QStringLiteral(RIGBENCH_RUN_DIR "/data/hero/0.model");
        QVERIFY2(QFile::exists(hero), "the game's data set is not built (target content)");
        CMainFrame frame;
        frame.resize(900, 700);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QTRY_VERIFY(frame.view()->partDialog() != nullptr);
        QImage image = frame.view()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        const int emptyPixels = countColour(image, kBackground);

        QVERIFY(frame.openDocument(hero));
        const EditModel& model = frame.document().model;
        QVERIFY(model.parts.size() >= 2);
        for (const EditPart& part : model.parts) {
            QVERIFY2(!part.texture.empty() && !part.joints.empty(), part.path.c_str());
        }
        for (const JointLink& link : model.links) QVERIFY(model.linkValid(link));
        QCOMPARE(frame.view()->partDialog()->partList->count(), static_cast<int>(model.parts.size()));

        // The pictures cover a good part of the view's middle: their textures were found.
        frame.view()->partDialog()->partList->setCurrentRow(-1);
        image = frame.view()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        int painted = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                const bool plain = close(p, kBackground, 8) || close(p, kLightGrey, 8) ||
                                   close(p, kWhite, 8) || close(p, kBlack, 8);
                painted += plain ? 0 : 1;
            }
        }
        QVERIFY2(painted > 3000, qPrintable(QString::number(painted)));
        QVERIFY(countColour(image, kBackground) < emptyPixels - 3000);

        // Saved (into the test's own folder: other tests read the data set meanwhile), it is the same
        // model file the game reads.
        const QString copy = dir_.filePath("hero_copy.model");
        QVERIFY(frame.document().OnSaveDocument(copy.toStdString()));
        QFile original(hero), saved(copy);
        QVERIFY(original.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), original.readAll().trimmed());

        // Every model of the data set reads with all its links in range and writes back unchanged.
        QDirIterator models(QStringLiteral(RIGBENCH_RUN_DIR "/data"), {QStringLiteral("*.model")},
                            QDir::Files, QDirIterator::Subdirectories);
        int count = 0;
        while (models.hasNext()) {
            const QString path = models.next();
            CrigbenchDoc doc;
            QVERIFY(doc.OnOpenDocument(path.toStdString()));
            for (const JointLink& link : doc.model.links)
                QVERIFY2(doc.model.linkValid(link), qPrintable(path));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(doc.modelText() == file.readAll().trimmed().toStdString(), qPrintable(path));
            ++count;
        }
        QVERIFY(count > 10);
    }

private:
    QTemporaryDir dir_;
    QTemporaryDir settingsDir_;
};

QTEST_MAIN(ViewTest)
#include "view_test.moc"
