// Making a puppet with the editor alone: parts from pictures, snapped links, one link deleted, and
// finding one's way in the view. The parts made here are read back by the game's own loader and stood
// in the game's world.
#include "editor_language.h"
#include "link_panel.h"
#include "main_frame.h"
#include "mode_dlg.h"
#include "part_dlg.h"
#include "part_maker_dlg.h"
#include "rigbench_view.h"
#include "sketch_canvas.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "datatree/data_file.h"
#include "game/graphics/texture_cache.h"
#include "game/world/ground.h"
#include "game/world/puppet_object.h"
#include "game/world/world_step.h"


namespace {

void send(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, target->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button,
                      held, modifiers);
    QApplication::sendEvent(target, &event);
}

void click(QWidget* target, QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    send(target, QEvent::MouseButtonPress, at, Qt::LeftButton, modifiers);
    send(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, modifiers);
}

void drag(QWidget* target, QPointF from, QPointF to, Qt::MouseButton button = Qt::LeftButton) {
    send(target, QEvent::MouseButtonPress, from, button);
    for (int i = 1; i <= 4; ++i) send(target, QEvent::MouseMove, from + (to - from) * (i / 4.0), button);
    send(target, QEvent::MouseButtonRelease, to, button);
}

QPointF onView(CrigbenchView* view, Point2 p) {
    const ScreenPoint s = view->projectPlanePoint(p);
    return {s.x, s.y};
}

QPointF onCanvas(SketchCanvas* canvas, float x, float y) {
    return canvas->widgetPoint({x, y});
}

// A picture of the given size, clear, with a painted rectangle: its left half clear when halfClear.
void writePicture(const QString& path, int width, int height, QColor colour, bool halfClear = false) {
    QImage image(width, height, QImage::Format_RGBA8888);
    image.fill(colour);
    if (halfClear) {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(0, 0, width / 2, height, Qt::transparent);
    }
    QVERIFY(image.save(path, "PNG"));
}

std::string gamePath(const QString& path) {
    std::string p = path.toStdString();
    for (char& c : p) c = c == '/' ? '\\' : c;
    return p;
}

bool near(float a, float b, float tolerance) {
    return std::fabs(a - b) <= tolerance;
}

bool showWithTools(CMainFrame& frame) {
    frame.resize(900, 700);
    frame.show();
    return QTest::qWaitForWindowExposed(&frame) &&
           QTest::qWaitFor([&] { return frame.view()->partDialog() != nullptr; });
}

// Joint: the pixel 0.5 either way of a click, through the canvas' scale.
constexpr float kClickPixels = 0.5f;

}  // namespace

class MakingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The exact texts below are the Japanese ones, whatever the locale of the machine running this.
        QVERIFY(useEditorLanguage(EditorLanguage::Japanese));
        QStandardPaths::setTestModeEnabled(true);
    }

    // Two parts made from pictures, linked by a Shift-click, saved with a pose: the game's loader reads
    // the part file as it was drawn, and the game's world stands the puppet on its ground.
    void partsFromPicturesStandInGame() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid() && QDir(dir.path()).mkpath("pictures") && QDir(dir.path()).mkpath("rig"));
        writePicture(dir.filePath("pictures/body.png"), 48, 40, QColor(230, 150, 20));
        writePicture(dir.filePath("pictures/leg.png"), 32, 32, QColor(20, 150, 150));
        const QString rig = dir.filePath("rig");
        QVERIFY(setProgramFolder(rig.toStdString()));

        CMainFrame frame;
        QVERIFY(showWithTools(frame));
        CrigbenchView* view = frame.view();
        CPartDlg* dialog = view->partDialog();
        EditModel& model = frame.document().model;
        QVERIFY(frame.saveDocumentTo(rig + "/walker.model"));
        QString chosen;
        dialog->chooseFile = [&chosen](const QString&, bool) { return chosen; };

        // A file that is no picture is refused with a message; nothing is written or appended.
        QFile fake(dir.filePath("pictures/notes.png"));
        QVERIFY(fake.open(QIODevice::WriteOnly) && fake.write("{parts=[],}") > 0);
        fake.close();
        QString refusal;
        QTimer::singleShot(0, &frame, [&refusal] {
            QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr);
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            refusal = box->text();
            box->accept();
        });
        chosen = fake.fileName();
        QTest::mouseClick(dialog->makePartButton, Qt::LeftButton);
        QVERIFY2(refusal.contains(QStringLiteral("notes.png")), qPrintable(refusal));
        QVERIFY(model.parts.empty() && !frame.document().canUndo());
        QCOMPARE(QDir(rig).entryList(QDir::Files), QStringList{QStringLiteral("walker.model")});

        // The body: not a power of two, so a padded copy is offered; its square is its bounds made
        // square (48 pixels about its middle). Two joints, a stray one deleted, a body and an attack circle.
        bool bodyOffered = false;
        dialog->partMakerOpened = [&](PartMakerDlg& maker) {
            QTimer::singleShot(0, &maker, [&maker, &bodyOffered] {
                SketchCanvas* canvas = maker.canvas;
                bodyOffered = maker.padBox->isVisible() && maker.padBox->isChecked() &&
                              maker.sketch().squareSide == 48.0f && maker.sketch().squareCentre.x == 24.0f &&
                              maker.sketch().squareCentre.y == 20.0f;
                click(canvas, onCanvas(canvas, 24, 36));
                click(canvas, onCanvas(canvas, 5, 5));
                click(canvas, onCanvas(canvas, 24, 4));
                maker.itemList->setCurrentRow(1);
                maker.deleteItemButton->click();
                maker.bodyTool->click();
                drag(canvas, onCanvas(canvas, 24, 20), onCanvas(canvas, 24, 38));
                maker.attackTool->click();
                drag(canvas, onCanvas(canvas, 40, 20), onCanvas(canvas, 46, 20));
                maker.makeButton->click();
            });
        };
        chosen = dir.filePath("pictures/body.png");
        QTest::mouseClick(dialog->makePartButton, Qt::LeftButton);
        QVERIFY(bodyOffered);

        // The leg: a power of two already, nothing offered; it is copied beside the model.
        bool legOffered = true;
        dialog->partMakerOpened = [&](PartMakerDlg& maker) {
            QTimer::singleShot(0, &maker, [&maker, &legOffered] {
                legOffered = maker.padBox->isVisible();
                click(maker.canvas, onCanvas(maker.canvas, 16, 2));
                maker.bodyTool->click();
                drag(maker.canvas, onCanvas(maker.canvas, 16, 24), onCanvas(maker.canvas, 16, 32));
                maker.makeButton->click();
            });
        };
        chosen = dir.filePath("pictures/leg.png");
        QTest::mouseClick(dialog->makePartButton, Qt::LeftButton);
        QVERIFY(!legOffered);
        QCOMPARE(model.parts.size(), std::size_t(2));
        QCOMPARE(model.parts[0].path, std::string("body.part"));
        QCOMPARE(dialog->partList->item(1)->text(), QStringLiteral("leg.part"));
        QVERIFY(QFile::exists(rig + "/leg.png"));
        const QImage padded(rig + "/body_64x64.png");
        QCOMPARE(padded.size(), QSize(64, 64));
        QCOMPARE(padded.pixelColor(47, 39), QColor(230, 150, 20));
        QCOMPARE(padded.pixelColor(48, 20).alpha(), 0);
        QCOMPARE(padded.pixelColor(20, 40).alpha(), 0);
        // Each made part was one undo step.
        QVERIFY(frame.undo());
        QCOMPARE(model.parts.size(), std::size_t(1));
        QVERIFY(frame.redo());
        QCOMPARE(dialog->partList->count(), 2);

        // Making the body again with the same name asks first; declined, nothing is written.
        const QByteArray bodyBytes = [&] {
            QFile f(rig + "/body.part");
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        bool asked = false;
        dialog->partMakerOpened = [&](PartMakerDlg& maker) {
            maker.confirmOverwrite = [&asked](const QString&) {
                asked = true;
                return false;
            };
            QTimer::singleShot(0, &maker, [&maker] {
                click(maker.canvas, onCanvas(maker.canvas, 1, 1));
                maker.makeButton->click();
                maker.reject();
            });
        };
        chosen = dir.filePath("pictures/body.png");
        QTest::mouseClick(dialog->makePartButton, Qt::LeftButton);
        QVERIFY(asked);
        QCOMPARE(model.parts.size(), std::size_t(2));
        QFile again(rig + "/body.part");
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), bodyBytes);

        // Shift on the second joint: the leg comes to the body's hip, and the link is a pin.
        view->modeDialog()->modeCombo->setCurrentIndex(1);
        dialog->partList->setCurrentRow(0);
        click(view, onView(view, model.parts[0].joints[0]));
        dialog->partList->setCurrentRow(1);
        const Point2 legBefore = model.parts[1].centre();
        click(view, onView(view, model.parts[1].joints[0]), Qt::ShiftModifier);
        QCOMPARE(model.links.size(), std::size_t(1));
        QCOMPARE(model.links[0].length, 0.0f);
        QVERIFY(distance(model.parts[0].joints[0], model.parts[1].joints[0]) < 1e-4f);
        QVERIFY(distance(model.parts[1].centre(), legBefore) > 0.5f);
        QVERIFY(frame.undo());  // one step takes back both the link and the move
        QVERIFY(model.links.empty() && distance(model.parts[1].centre(), legBefore) < 0.02f);
        QVERIFY(frame.redo());
        QCOMPARE(model.links.size(), std::size_t(1));
        QTest::qWait(300);
        QVERIFY(frame.saveDocument());
        dialog->savePose(rig + "/normal.pose");

        // The part file is the canonical one-line text the game's data files are, and the game's loader
        // finds in it what was drawn: pixel (px, py) at ((px - 24) / 48, (20 - py) / 48).
        QFile partFile(rig + "/body.part");
        QVERIFY(partFile.open(QIODevice::ReadOnly));
        const std::string text = partFile.readAll().toStdString();
        DataRef reread;
        readDataString(text, reread);
        QCOMPARE(writeDataString(reread), text);
        TextureCache textures;
        textures.setHeadless(true);
        PuppetPart body;
        body.load(gamePath(rig + "/body.part"));
        QCOMPARE(body.joints.size(), std::size_t(2));
        const float pixel = 1.0f / 48.0f;
        QVERIFY(near(body.joints[0].x, 0.0f, kClickPixels * pixel) &&
                near(body.joints[0].y, -16 * pixel, kClickPixels * pixel));
        QVERIFY(near(body.joints[1].y, 16 * pixel, kClickPixels * pixel));
        QCOMPARE(body.boundKinds, (std::vector<std::int32_t>{0, 1}));
        QVERIFY(near(body.boundRadii[0], 18 * pixel, 2 * kClickPixels * pixel));
        QVERIFY(near(body.boundRadii[1], 6 * pixel, 2 * kClickPixels * pixel));
        QVERIFY(near(body.corners[0].x, -0.5f, 1e-5f) && near(body.corners[0].y, 20 * pixel, 1e-5f));
        QVERIFY(near(body.corners[2].x, 0.5f, 1e-5f) && near(body.corners[2].y, -20 * pixel, 1e-5f));
        QVERIFY(near(body.corners[2].u, 0.75f, 1e-6f) && near(body.corners[2].v, 0.625f, 1e-6f));
        QVERIFY(near(body.corners[0].u, 0.0f, 1e-6f) && near(body.corners[0].v, 0.0f, 1e-6f));

        // In the game's world, on its level ground: the puppet falls, lands on its circles and stands.
        PuppetObject* figure = nullptr;
        ObjectList objects;
        {
            auto object = std::make_unique<PuppetObject>();
            object->puppet.loadModel(gamePath(rig + "/walker.model"));
            object->puppet.setPose(gamePath(rig + "/normal.pose"));
            object->puppet.set(Puppet::posed, true);
            object->buildHits();
            object->category = kEnemyCategory;
            object->collidesWith = 5;
            object->moveTo({10.0f, 3.0f});
            figure = object.get();
            objects.push_back(std::move(object));
        }
        QCOMPARE(figure->puppet.links.size(), std::size_t(1));
        QCOMPARE(figure->hitCircles().size(), std::size_t(3));
        Ground ground;
        ground.load("nowhere\\", "none.ground");  // the level ground at height 0
        for (int frameNumber = 0; frameNumber < 500; ++frameNumber) stepWorld(objects, ground);
        const Vec2 at500 = figure->puppet.centre();
        for (int frameNumber = 0; frameNumber < 100; ++frameNumber) stepWorld(objects, ground);
        float lowest = 1e9f;
        for (const HitCircle& circle : figure->hitCircles())
            lowest = std::min(lowest, circle.y - circle.radius);
        // Gravity pulls and the ground pushes back every frame; standing, the two leave it where it is.
        const Vec2 speed = {(figure->puppet.centre().x - at500.x) / 100.0f,
                            (figure->puppet.centre().y - at500.y) / 100.0f};
        const auto& frameCorners = figure->puppet.parts[0].frame.corners;
        const PointMass& hip = figure->puppet.parts[0].joints[0];
        const PointMass& top = figure->puppet.parts[1].joints[0];
        qInfo("after 600 frames: lowest circle bottom %.4f, speed (%.5f, %.5f), hip to leg %.4f",
              static_cast<double>(lowest), static_cast<double>(speed.x), static_cast<double>(speed.y),
              static_cast<double>(std::hypot(hip.x - top.x, hip.y - top.y)));
        QVERIFY(std::fabs(lowest) < 0.05f);
        QVERIFY(std::fabs(speed.x) < 1e-4f && std::fabs(speed.y) < 1e-4f);
        QVERIFY(std::hypot(hip.x - top.x, hip.y - top.y) < 0.05f);
        QVERIFY(frameCorners[0].y > frameCorners[1].y + 0.5f);                    // upright
        QVERIFY(figure->puppet.parts[1].frame.corners[1].y < frameCorners[1].y);  // the leg under the body
    }

    // The part dialog lists the selected part's links; one is deleted alone and comes back with Undo.
    void oneLinkDeleted() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray part =
            "{joints=[{x=0,y=0.25,},{x=0.25,y=0,},],pic_frame=[{u=0,v=0,x=-0.5,y=0.5,},{u=0,v=1,x=-0.5,y=-0."
            "5,},"
            "{u=1,v=1,x=0.5,y=-0.5,},{u=1,v=0,x=0.5,y=0.5,},],texture=p.png,}";
        for (const char* name : {"a.part", "b.part", "c.part"}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(part) == part.size());
        }
        QFile modelFile(dir.filePath("three.model"));
        QVERIFY(modelFile.open(QIODevice::WriteOnly));
        modelFile.write(
            "{joints_link=[{joint_num=[0,0,],length=0,part_num=[0,1,],},"
            "{joint_num=[1,0,],length=0.5,part_num=[0,2,],},"
            "{joint_num=[1,1,],length=0,part_num=[1,2,],},],parts=[a.part,b.part,c.part,],}");
        modelFile.close();

        CMainFrame frame;
        QVERIFY(showWithTools(frame));
        CPartDlg* dialog = frame.view()->partDialog();
        QVERIFY(frame.openDocument(dir.filePath("three.model")));
        EditModel& model = frame.document().model;
        QListWidget* links = dialog->linkPanel->linkList;
        dialog->partList->setCurrentRow(2);
        QCOMPARE(links->count(), 2);
        dialog->partList->setCurrentRow(0);
        QCOMPARE(links->count(), 2);
        QCOMPARE(links->item(1)->text(), QStringLiteral("関節 1 ― c.part の関節 0 (長さ 0.5)"));

        links->setCurrentRow(1);
        QTest::mouseClick(dialog->linkPanel->deleteButton, Qt::LeftButton);
        QCOMPARE(model.links.size(), std::size_t(2));
        QCOMPARE(model.links[0].partB, 1);
        QCOMPARE(model.links[1].partA, 1);
        QCOMPARE(links->count(), 1);
        QCOMPARE(model.parts.size(), std::size_t(3));  // the parts stay, unlike Delete and the arrows
        QVERIFY(frame.isWindowModified());

        QVERIFY(frame.undo());
        QCOMPARE(model.links.size(), std::size_t(3));
        QCOMPARE(model.links[1].partB, 2);
        QCOMPARE(model.links[1].length, 0.5f);
        QCOMPARE(links->count(), 2);
        QVERIFY(!frame.isWindowModified());
        QVERIFY(frame.redo());
        QCOMPARE(model.links.size(), std::size_t(2));
        // Nothing selected: the button does nothing.
        links->setCurrentRow(-1);
        QTest::mouseClick(dialog->linkPanel->deleteButton, Qt::LeftButton);
        QCOMPARE(model.links.size(), std::size_t(2));
    }

    // A click on a picture selects its part (the topmost painted one) without moving it; middle-drag
    // pans; Home shows the whole puppet.
    void findingOneWay() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        writePicture(dir.filePath("full.png"), 16, 16, QColor(230, 150, 20));
        writePicture(dir.filePath("half.png"), 16, 16, QColor(20, 150, 150), true);
        const char* frameText =
            ",pic_frame=[{u=0,v=0,x=-0.5,y=0.5,},{u=0,v=1,x=-0.5,y=-0.5,},"
            "{u=1,v=1,x=0.5,y=-0.5,},{u=1,v=0,x=0.5,y=0.5,},],}";
        for (const char* name : {"full", "half"}) {
            QFile f(dir.filePath(QStringLiteral("%1.part").arg(QLatin1String(name))));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("{joints=[],texture=") + name + ".png" + frameText);
        }
        QFile modelFile(dir.filePath("two.model"));
        QVERIFY(modelFile.open(QIODevice::WriteOnly));
        modelFile.write("{joints_link=[],parts=[full.part,half.part,],}");
        modelFile.close();

        CMainFrame frame;
        QVERIFY(showWithTools(frame));
        CrigbenchView* view = frame.view();
        CPartDlg* dialog = view->partDialog();
        QVERIFY(frame.openDocument(dir.filePath("two.model")));
        EditModel& model = frame.document().model;
        // The half-clear picture lies over the right half of the full one: its clear half covers 0.1 … 0.6.
        for (Point2& c : model.parts[1].corners) c.x += 0.6f;
        for (PictureVertex& v : model.parts[1].picture) v.x += 0.6f;
        view->tick();
        const std::vector<EditPart> before = model.parts;

        click(view, onView(view, {0.3f, 0.0f}));  // under the clear half: the part beneath
        QCOMPARE(dialog->currentPart(), 0);
        click(view, onView(view, {0.9f, -0.3f}));  // the painted half: the top part
        QCOMPARE(dialog->currentPart(), 1);
        click(view, onView(view, {3.0f, 3.0f}));  // nothing there: the selection stays
        QCOMPARE(dialog->currentPart(), 1);
        for (std::size_t m = 0; m < 2; ++m)
            QVERIFY(distance(model.parts[m].centre(), before[m].centre()) < 1e-3f);
        QVERIFY(!frame.document().canUndo());
        // A press on the part beneath, dragged: it is selected and moved, the other stays.
        drag(view, onView(view, {-0.3f, 0.2f}), onView(view, {-0.8f, 0.2f}));
        QCOMPARE(dialog->currentPart(), 0);
        QVERIFY(near(model.parts[0].centre().x, before[0].centre().x - 0.5f, 0.02f));
        QVERIFY(distance(model.parts[1].centre(), before[1].centre()) < 0.02f);

        // Middle-drag: the plane point under the pointer stays under it.
        const Point2 grabbed = view->pickPlanePoint(200.0f, 200.0f);
        drag(view, QPointF(200, 200), QPointF(260, 170), Qt::MiddleButton);
        const Point2 now = view->pickPlanePoint(260.0f, 170.0f);
        QVERIFY(distance(grabbed, now) < 1e-3f);
        QVERIFY(near(model.parts[0].centre().x, before[0].centre().x - 0.5f, 0.02f));  // nothing edited

        // Home (View menu): every corner on screen, the puppet filling most of the view's height or width.
        QVERIFY(frame.menuBar()->actions()[2]->menu()->actions().contains(view->fitAction()));
        view->fitAction()->trigger();
        float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
        for (const EditPart& part : model.parts) {
            for (const Point2& c : part.corners) {
                const ScreenPoint s = view->projectPlanePoint(c);
                left = std::min(left, s.x);
                right = std::max(right, s.x);
                top = std::min(top, s.y);
                bottom = std::max(bottom, s.y);
            }
        }
        QVERIFY(left >= 0.0f && top >= 0.0f && right <= view->width() && bottom <= view->height());
        QVERIFY((right - left) > 0.7f * view->width() || (bottom - top) > 0.7f * view->height());
    }
};

QTEST_MAIN(MakingTest)
#include "making_test.moc"
