// rigbench-shots: takes the modding guide's pictures of the editor by walking its steps through the
// editor's own windows, as a modder would with the mouse: two parts made from pictures with the
// part-from-picture dialog (joints and circles placed where the guide's example parts have them), the
// leaf linked to the body with a Shift-click, the example's pose loaded, model and pose saved.
//
//   rigbench-shots EXAMPLE-DIR OUT-DIR [--qm FILE]
//
// EXAMPLE-DIR holds the example puppet (docs/examples/mochi); OUT-DIR receives
// rigbench-part-maker.png, rigbench-posed.png and the folder the walk saved into (mochi/). The
// pictures are of the whole X screen, so run it on a display of its own (xvfb-run). The texts are
// the editor's source texts, or their translation from the compiled Qt translation FILE.

#include "main_frame.h"
#include "mode_dlg.h"
#include "part_dlg.h"
#include "part_maker_dlg.h"
#include "rigbench_view.h"
#include "sketch_canvas.h"

#include "datatree/data_file.h"
#include "datatree/data_number.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void send(QWidget* target, QEvent::Type type, QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      held, modifiers);
    QApplication::sendEvent(target, &event);
}

void click(QWidget* target, QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    send(target, QEvent::MouseButtonPress, at, modifiers);
    send(target, QEvent::MouseButtonRelease, at, modifiers);
}

void drag(QWidget* target, QPointF from, QPointF to) {
    send(target, QEvent::MouseButtonPress, from);
    for (int i = 1; i <= 4; ++i) send(target, QEvent::MouseMove, from + (to - from) * (i / 4.0));
    send(target, QEvent::MouseButtonRelease, to);
}

// Lets the windows draw for a while: the view relaxes the puppet ten times a second.
void settle(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The frame's size on the screen: room for the view and the two tool windows docked beside it.
constexpr int kFrameWidth = 960;
constexpr int kFrameHeight = 720;

bool shoot(const QString& file) {
    settle(300);
    // The part of the screen the frame takes, its docked tool windows included.
    const bool saved = QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, kFrameWidth, kFrameHeight).save(file, "PNG");
    std::printf("rigbench-shots: %s%s\n", qPrintable(file), saved ? "" : " could not be written");
    return saved;
}

struct Circle {
    float x, y, r;
    int kind;
};

// What the example's part file places, in the part's coordinates: the walk clicks the same spots.
struct PartMarks {
    std::vector<Point2> joints;
    std::vector<Circle> circles;
};

PartMarks marksOf(const QString& partFile) {
    DataRef root;
    readDataFile(partFile.toStdString(), root);
    PartMarks marks;
    DataRef& joints = root.member("joints");
    for (std::uint32_t j = 0; j < joints->size(); ++j) {
        Point2 p{0, 0};
        readFloat(joints->item(j).member("x"), p.x);
        readFloat(joints->item(j).member("y"), p.y);
        marks.joints.push_back(p);
    }
    DataRef& bounds = root.member("bound");
    for (std::uint32_t b = 0; b < bounds->size(); ++b) {
        Circle c{0, 0, 0, 0};
        readFloat(bounds->item(b).member("x"), c.x);
        readFloat(bounds->item(b).member("y"), c.y);
        readFloat(bounds->item(b).member("r"), c.r);
        readInt(bounds->item(b).member("kind"), c.kind);
        marks.circles.push_back(c);
    }
    return marks;
}

// Places the marks on the dialog's picture, whose square is its default: the whole picture.
void drawMarks(PartMakerDlg& maker, const PartMarks& marks) {
    SketchCanvas* canvas = maker.canvas;
    const PartSketch& sketch = maker.sketch();
    auto at = [&](float x, float y) { return canvas->widgetPoint(sketch.toPixel({x, y})); };
    maker.jointTool->click();
    for (const Point2& j : marks.joints) click(canvas, at(j.x, j.y));
    for (const Circle& c : marks.circles) {
        (c.kind == PartSketch::kAttackKind ? maker.attackTool : maker.bodyTool)->click();
        drag(canvas, at(c.x, c.y), at(c.x + c.r, c.y));
    }
}

constexpr char kUsage[] =
    "usage: rigbench-shots EXAMPLE-DIR OUT-DIR [--qm FILE]\n"
    "Walks the modding guide's editor steps with the example puppet in EXAMPLE-DIR (docs/examples/mochi)\n"
    "and writes OUT-DIR/rigbench-part-maker.png, OUT-DIR/rigbench-posed.png and the saved files in\n"
    "OUT-DIR/mochi/. The pictures are of the whole screen: run it under xvfb-run. --qm FILE: the editor's\n"
    "texts translated by that compiled Qt translation.\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before QApplication, which needs a display.
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const bool translated = argc == 5 && std::string(argv[3]) == "--qm";
    if (argc != 3 && !translated) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QTranslator translation;
    if (translated) {
        if (!translation.load(QString::fromLocal8Bit(argv[4]))) {
            std::fprintf(stderr, "rigbench-shots: %s is not a compiled Qt translation\n", argv[4]);
            return 2;
        }
        QApplication::installTranslator(&translation);
    }
    const QDir examples(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QString folder = out.absoluteFilePath(QStringLiteral("mochi"));
    QDir(folder).removeRecursively();
    if (!QDir().mkpath(folder) || !setProgramFolder(folder.toStdString())) {
        std::fprintf(stderr, "rigbench-shots: cannot make %s\n", qPrintable(folder));
        return 1;
    }

    CMainFrame frame;
    frame.move(0, 0);
    frame.resize(kFrameWidth, kFrameHeight);
    frame.show();
    while (!frame.view()->partDialog()) settle(50);
    CrigbenchView* view = frame.view();
    CPartDlg* parts = view->partDialog();
    // Tool windows of their own go beside the frame, as a modder would put them.
    if (parts->isWindow()) parts->move(712, 0);
    if (view->modeDialog()->isWindow()) view->modeDialog()->move(712, 520);
    if (!frame.saveDocumentTo(folder + QStringLiteral("/mochi.model"))) return 1;

    // Step 1: a part from each picture. The body's dialog is the first picture, just before 作成.
    bool ok = true;
    for (const QString& name : {QStringLiteral("mochi-body"), QStringLiteral("mochi-leaf")}) {
        const PartMarks marks = marksOf(examples.filePath(name + QStringLiteral(".part")));
        parts->chooseFile = [&](const QString&, bool) { return examples.filePath(name + QStringLiteral(".png")); };
        parts->partMakerOpened = [&](PartMakerDlg& maker) {
            QTimer::singleShot(0, &maker, [&, name] {
                maker.move(40, 60);
                drawMarks(maker, marks);
                if (name == QStringLiteral("mochi-body"))
                    ok = shoot(out.absoluteFilePath(QStringLiteral("rigbench-part-maker.png"))) && ok;
                maker.makeButton->click();
            });
        };
        parts->makePartButton->click();
    }
    if (frame.document().model.parts.size() != 2) {
        std::fprintf(stderr, "rigbench-shots: the part-from-picture dialog made %zu parts, not 2\n",
                     frame.document().model.parts.size());
        return 1;
    }

    // Step 2: joint attach mode, the body's joint, then Shift and the leaf's: the leaf comes to it.
    EditModel& model = frame.document().model;
    auto onView = [view](Point2 p) {
        const ScreenPoint s = view->projectPlanePoint(p);
        return QPointF(s.x, s.y);
    };
    view->modeDialog()->modeCombo->setCurrentIndex(1);
    parts->partList->setCurrentRow(0);
    click(view, onView(model.parts[0].joints[0]));
    parts->partList->setCurrentRow(1);
    click(view, onView(model.parts[1].joints[0]), Qt::ShiftModifier);

    // Step 3: posed (here by loading the example's pose, where a modder drags corners), then saved.
    view->modeDialog()->modeCombo->setCurrentIndex(0);
    parts->loadPose(examples.filePath(QStringLiteral("normal.pose")));
    settle(1500);
    view->fitWholePuppet();
    parts->partList->setCurrentRow(1);
    parts->savePose(folder + QStringLiteral("/normal.pose"));
    ok = frame.saveDocument() && ok;
    ok = shoot(out.absoluteFilePath(QStringLiteral("rigbench-posed.png"))) && ok;
    std::printf("rigbench-shots: %zu links; the walk's files are in %s\n", model.links.size(), qPrintable(folder));
    return ok && model.links.size() == 1 ? 0 : 1;
}
