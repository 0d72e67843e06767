// The editor's tool windows as docks: listed in the View menu, reached by the frame's shortcuts
// docked and floating, laid out again as they were left; and what the status bar and the Edit menu
// tell the modder, in a session that must not print a single warning.
#include "editor_language.h"
#include "main_frame.h"
#include "mode_dlg.h"
#include "part_dlg.h"
#include "rigbench_view.h"
#include "window_layout.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <dlfcn.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray partText(const QByteArray& textureEntry) {
    return "{joints=[{x=0,y=0.25,},{x=0.25,y=0,},],pic_frame=[{u=0,v=0,x=-0.5,y=0.5,},{u=0,v=1,x=-0.5,"
           "y=-0.5,},{u=1,v=1,x=0.5,y=-0.5,},{u=1,v=0,x=0.5,y=0.5,},]," +
           textureEntry + "}";
}

bool showWithTools(CMainFrame& frame) {
    frame.resize(1000, 700);
    frame.show();
    return QTest::qWaitForWindowExposed(&frame) &&
           QTest::qWaitFor([&] { return frame.view()->partDialog() != nullptr; });
}

// Without a window manager a focus request can lose to an older one: ask again until it holds.
bool makeActive(QWidget& window) {
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
        20000);
}

void mouse(QWidget* target, QEvent::Type type, ScreenPoint at) {
    const QPointF local(at.x, at.y);
    QMouseEvent event(type, local, target->mapToGlobal(local), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void press(CrigbenchView* view, Point2 at) {
    mouse(view, QEvent::MouseButtonPress, view->projectPlanePoint(at));
    mouse(view, QEvent::MouseButtonRelease, view->projectPlanePoint(at));
}

void drag(CrigbenchView* view, Point2 from, Point2 to) {
    mouse(view, QEvent::MouseButtonPress, view->projectPlanePoint(from));
    for (int i = 1; i <= 4; ++i) {
        const float t = static_cast<float>(i) / 4.0f;
        mouse(view, QEvent::MouseMove,
              view->projectPlanePoint({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t}));
    }
    mouse(view, QEvent::MouseButtonRelease, view->projectPlanePoint(to));
}

// Shown on some screen by at least a strip that can be grabbed.
bool onScreen(const QWidget& window) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->availableGeometry().intersected(window.frameGeometry());
        if (shown.width() >= 40 && shown.height() >= 20) return true;
    }
    return false;
}

QList<QAction*> viewMenuActions(CMainFrame& frame) {
    for (QAction* menu : frame.menuBar()->actions()) {
        if (menu->text() == QStringLiteral("表示(&V)")) return menu->menu()->actions();
    }
    return {};
}

QStringList warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg) warnings << message;
}

}  // namespace

class DocksTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // Mesa's software driver stays loaded, so the sanitizer build's leak check finds its blocks.
        dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_NOW | RTLD_NODELETE);
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(settingsDir_.isValid() && dir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        QVERIFY(QDir().mkpath(dir_.filePath("sub")));
        writeFile(dir_.filePath("sub/a.part"), partText("texture=a.png,"));
        QImage picture(16, 16, QImage::Format_RGBA8888);
        picture.fill(QColor(230, 150, 20));
        QVERIFY(picture.save(dir_.filePath("sub/a.png"), "PNG"));
        writeFile(dir_.filePath("b.part"), partText("texture=missing.png,"));
        // A part with no picture at all: its texture name is empty.
        writeFile(dir_.filePath("bare.part"), partText(""));
        writeFile(dir_.filePath("pair.model"), "{joints_link=[],parts=[sub\\a.part,b.part,bare.part,],}");
    }

    // Every test starts from the default layout.
    void init() {
        QSettings settings(CMainFrame::settingsOrganization(), QStringLiteral("rigbench"));
        settings.remove(QStringLiteral("Layout"));
    }

    void docksListedInViewMenu() {
        CMainFrame frame;
        QDockWidget* parts = frame.partDock();
        QDockWidget* modes = frame.modeDock();
        // Listed before the first frame, but with nothing to show yet.
        const QList<QAction*> viewActions = viewMenuActions(frame);
        QVERIFY(viewActions.contains(parts->toggleViewAction()));
        QVERIFY(viewActions.contains(modes->toggleViewAction()));
        QVERIFY(!parts->toggleViewAction()->isEnabled());

        QVERIFY(showWithTools(frame));
        QCOMPARE(parts->windowTitle(), QStringLiteral("パーツとポーズ"));
        QCOMPARE(modes->windowTitle(), QStringLiteral("編集モード"));
        QCOMPARE(parts->toggleViewAction()->text(), QStringLiteral("パーツとポーズ"));
        QCOMPARE(parts->widget(), frame.view()->partDialog());
        QCOMPARE(modes->widget(), frame.view()->modeDialog());
        QVERIFY(!parts->objectName().isEmpty() && parts->objectName() != modes->objectName());
        // Docked beside the view, both shown, checked in the menu.
        QCOMPARE(frame.dockWidgetArea(parts), Qt::RightDockWidgetArea);
        QVERIFY(parts->isVisible() && modes->isVisible() && !parts->isFloating());
        QVERIFY(parts->toggleViewAction()->isEnabled() && parts->toggleViewAction()->isChecked());
        QVERIFY(frame.view()->geometry().right() < parts->geometry().left());

        // Closed by its close button, a dock comes back from the View menu with its list intact.
        QVERIFY(parts->features() & QDockWidget::DockWidgetClosable);
        QVERIFY(frame.openDocument(dir_.filePath("pair.model")));
        parts->close();
        QVERIFY(!parts->isVisible() && !parts->toggleViewAction()->isChecked());
        parts->toggleViewAction()->trigger();
        QVERIFY(parts->isVisible() && frame.view()->partDialog()->isVisible());
        QCOMPARE(frame.view()->partDialog()->partList->count(), 3);
        modes->toggleViewAction()->trigger();
        QVERIFY(!modes->isVisible());
        modes->toggleViewAction()->trigger();
        QVERIFY(modes->isVisible());

        // Floated, it is a window of its own holding the same list; docked again, back beside the view.
        parts->setFloating(true);
        QVERIFY(parts->isWindow() && parts->isVisible());
        QVERIFY(parts->isAncestorOf(frame.view()->partDialog()->partList));
        parts->setFloating(false);
        QCOMPARE(frame.dockWidgetArea(parts), Qt::RightDockWidgetArea);

        // The folder prefix has a label whose letter takes the keyboard to it.
        CPartDlg* dialog = frame.view()->partDialog();
        QCOMPARE(dialog->folderLabel->buddy(), dialog->folderEdit);
        QVERIFY(dialog->folderLabel->text().contains(QLatin1Char('&')));
        QVERIFY(!dialog->folderLabel->geometry().intersects(dialog->folderEdit->geometry()));
        QVERIFY(dialog->rect().contains(dialog->folderEdit->geometry()));
        QVERIFY(makeActive(frame));
        dialog->partList->setFocus();
        const int mnemonic = dialog->folderLabel->text().indexOf(QLatin1Char('&')) + 1;
        QTest::keyClick(dialog->partList, dialog->folderLabel->text().at(mnemonic).toLower().toLatin1(),
                        Qt::AltModifier);
        QTRY_VERIFY(dialog->folderEdit->hasFocus());
    }

    // File, Edit and View shortcuts reach the frame from a tool window with the keyboard focus, docked
    // and floating.
    void shortcutsFromToolWindows() {
        CMainFrame frame;
        QVERIFY(showWithTools(frame));
        CPartDlg* dialog = frame.view()->partDialog();
        const QString saved = dir_.filePath("shortcut.model");
        frame.chooseModelFile = [&](bool forSaving) {
            return forSaving ? saved : dir_.filePath("pair.model");
        };

        for (const bool floating : {false, true}) {
            frame.partDock()->setFloating(floating);
            QWidget& window = floating ? static_cast<QWidget&>(*frame.partDock()) : frame;
            QVERIFY(makeActive(window));
            dialog->partList->setFocus();
            QTRY_VERIFY(dialog->partList->hasFocus());

            // File > Open (Ctrl+O), then an edit undone and redone (Ctrl+Z, Ctrl+Shift+Z).
            QTest::keyClick(dialog->partList, Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(frame.document().model.parts.size(), std::size_t(3));
            dialog->OnDelete();
            QCOMPARE(frame.document().model.parts.size(), std::size_t(2));
            QTest::keyClick(dialog->partList, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(frame.document().model.parts.size(), std::size_t(3));
            QTest::keyClick(dialog->partList, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(frame.document().model.parts.size(), std::size_t(2));

            // File > Save (Ctrl+S): the document has a file now, so the shortcut writes it.
            QFile::remove(saved);
            QVERIFY(frame.saveDocumentTo(saved));
            QFile::remove(saved);
            dialog->OnDelete();
            QTest::keyClick(dialog->partList, Qt::Key_S, Qt::ControlModifier);
            QVERIFY(QFile::exists(saved));
            QVERIFY(!frame.isWindowModified());

            // View > the whole puppet (Home) moves the camera off its start.
            const float shift = floating ? -3.0f : 3.0f;
            for (EditPart& part : frame.document().model.parts) {
                for (Point2& c : part.corners) c.x += shift;
            }
            const float before = frame.view()->cameraCentre().x;
            QTest::keyClick(dialog->partList, Qt::Key_Home);
            QVERIFY2(std::fabs(frame.view()->cameraCentre().x - before) > 1.0f,
                     floating ? "floating" : "docked");

            // File > New (Ctrl+N) empties the model.
            QTest::keyClick(dialog->partList, Qt::Key_N, Qt::ControlModifier);
            QVERIFY(frame.document().model.parts.empty());
        }
    }

    // A whole editing session: every step says in the status bar what happened, the Edit menu names
    // the step it would undo or redo, and nothing is printed as a warning.
    void sessionFeedbackWithoutWarnings() {
        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
        {
            CMainFrame frame;
            QVERIFY(showWithTools(frame));
            CrigbenchView* view = frame.view();
            CPartDlg* dialog = view->partDialog();
            QStatusBar* bar = frame.statusBar();
            QAction* undoAct = frame.action(ID_EDIT_UNDO);
            QAction* redoAct = frame.action(ID_EDIT_REDO);
            QCOMPARE(undoAct->statusTip(), QStringLiteral("直前に行った動作を元に戻す"));

            const QString model = QFileInfo(dir_.filePath("pair.model")).absoluteFilePath();
            QVERIFY(frame.openDocument(model));
            QCOMPARE(bar->currentMessage(),
                     QStringLiteral("モデルを開きました: %1 (パーツ 3 個、リンク 0 本)")
                         .arg(QDir::toNativeSeparators(model)));
            // Frames drawn with the picture-less part listed: each used to warn about an empty name.
            for (int i = 0; i < 5; ++i) view->tick();
            QTest::qWait(300);

            // Move the last part (the topmost, the one a click there takes) off the others.
            dialog->partList->setCurrentRow(1);
            drag(view, {0.0f, 0.0f}, {1.5f, 0.0f});
            QCOMPARE(dialog->currentPart(), 2);
            QVERIFY(frame.document().model.parts[2].centre().x > 1.0f);
            QCOMPARE(undoAct->statusTip(), QStringLiteral("元に戻す: 移動"));

            // Link joint 1 of part 0 to joint 0 of part 1.
            view->modeDialog()->modeCombo->setCurrentIndex(1);
            dialog->partList->setCurrentRow(0);
            press(view, frame.document().model.parts[0].joints[1]);
            dialog->partList->setCurrentRow(1);
            press(view, frame.document().model.parts[1].joints[0]);
            QCOMPARE(frame.document().model.links.size(), std::size_t(1));
            QCOMPARE(
                bar->currentMessage(),
                QStringLiteral(
                    "リンクを作成しました: パーツ 0 (sub\\a.part) の関節 1 と パーツ 1 (b.part) の関節 0"));
            QCOMPARE(undoAct->statusTip(), QStringLiteral("元に戻す: リンク作成"));
            QCOMPARE(undoAct->toolTip(), QStringLiteral("元に戻す: リンク作成"));
            QVERIFY(!redoAct->isEnabled());
            QCOMPARE(redoAct->statusTip(), QStringLiteral("元に戻した動作をやり直す"));
            QVERIFY(frame.undo());
            QCOMPARE(redoAct->statusTip(), QStringLiteral("やり直し: リンク作成"));
            QCOMPARE(redoAct->toolTip(), QStringLiteral("やり直し: リンク作成"));
            QCOMPARE(undoAct->statusTip(), QStringLiteral("元に戻す: 移動"));
            QVERIFY(frame.redo());
            QCOMPARE(frame.document().model.links.size(), std::size_t(1));

            // Append a part.
            dialog->appendPart(dir_.filePath("b.part"));
            QCOMPARE(bar->currentMessage(), QStringLiteral("パーツを追加しました: b.part"));
            QCOMPARE(undoAct->statusTip(), QStringLiteral("元に戻す: パーツの追加"));

            // A pose saved and loaded again, each named with its full path.
            const QString pose = QFileInfo(dir_.filePath("session.pose")).absoluteFilePath();
            dialog->savePose(pose);
            QCOMPARE(bar->currentMessage(),
                     QStringLiteral("ポーズを保存しました: %1").arg(QDir::toNativeSeparators(pose)));
            dialog->loadPose(pose);
            QCOMPARE(bar->currentMessage(), QStringLiteral("ポーズ %1 を読み込みました").arg(pose));
            QCOMPARE(undoAct->statusTip(), QStringLiteral("元に戻す: ポーズの読み込み"));

            // Saved: where, in full.
            const QString target = QFileInfo(dir_.filePath("session.model")).absoluteFilePath();
            QVERIFY(frame.saveDocumentTo(target));
            QCOMPARE(bar->currentMessage(),
                     QStringLiteral("保存しました: %1").arg(QDir::toNativeSeparators(target)));
            for (int i = 0; i < 5; ++i) view->tick();
            QTest::qWait(300);
            QVERIFY(frame.close());
        }
        qInstallMessageHandler(previous);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.mid(0, 5).join(QLatin1Char('\n'))));
    }

    // The frame and its tool windows open where and as they were left.
    void layoutRememberedAcrossStarts() {
        const QRect frameAt(20, 20, 900, 720);
        QPoint floatedAt;
        {
            CMainFrame frame;
            QVERIFY(showWithTools(frame));
            frame.setGeometry(frameAt);
            frame.addDockWidget(Qt::LeftDockWidgetArea, frame.modeDock());
            frame.partDock()->setFloating(true);
            frame.partDock()->move(620, 80);
            QTRY_COMPARE(frame.partDock()->pos(), QPoint(620, 80));
            floatedAt = frame.partDock()->pos();
            QTRY_COMPARE(frame.geometry(), frameAt);
            QVERIFY(frame.close());
        }
        {
            CMainFrame frame;
            // The frame's own place comes at once, before it is shown.
            QCOMPARE(frame.geometry().size(), frameAt.size());
            frame.show();
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            QTRY_VERIFY(frame.view()->partDialog() != nullptr);
            QTRY_COMPARE(frame.geometry(), frameAt);
            QCOMPARE(frame.dockWidgetArea(frame.modeDock()), Qt::LeftDockWidgetArea);
            QVERIFY(frame.modeDock()->isVisible() && !frame.modeDock()->isFloating());
            QVERIFY(frame.partDock()->isFloating() && frame.partDock()->isVisible());
            QTRY_COMPARE(frame.partDock()->pos(), floatedAt);
            QCOMPARE(frame.partDock()->widget(), frame.view()->partDialog());
            // A dock closed by the modder stays closed at the next start.
            frame.modeDock()->close();
            QVERIFY(frame.close());
        }
        CMainFrame frame;
        QVERIFY(showWithTools(frame));
        QVERIFY(!frame.modeDock()->isVisible() && !frame.modeDock()->toggleViewAction()->isChecked());
        QVERIFY(frame.partDock()->isVisible());
    }

    // A stored layout that is damaged, of the wrong kind, cut short, or off every screen opens the
    // editor all the same, with every window where it can be seen.
    void damagedLayout() {
        QByteArray goodState;
        QByteArray offScreenGeometry;
        {
            CMainFrame frame;
            QVERIFY(showWithTools(frame));
            frame.partDock()->setFloating(true);
            frame.partDock()->move(5000, 4000);
            frame.move(6000, 5000);
            QTRY_COMPARE(frame.pos(), QPoint(6000, 5000));
            QVERIFY(frame.close());
            QSettings settings(CMainFrame::settingsOrganization(), QStringLiteral("rigbench"));
            goodState = settings.value(QLatin1String(window_layout::kStateKey)).toByteArray();
            offScreenGeometry = settings.value(QLatin1String(window_layout::kGeometryKey)).toByteArray();
            QVERIFY(goodState.size() > 40 && !offScreenGeometry.isEmpty());
        }
        const QList<std::pair<QVariant, QVariant>> stored = {
            {QByteArray("\x00\x00\x00\xff garbage \xff\xfe", 16), QByteArray("\x01\xd9\xd0\xcb", 4)},
            {QStringLiteral("not a layout"), 12345},
            {goodState.left(goodState.size() / 2), offScreenGeometry.left(10)},
            {goodState, offScreenGeometry},
        };
        for (const auto& [state, geometry] : stored) {
            {
                QSettings settings(CMainFrame::settingsOrganization(), QStringLiteral("rigbench"));
                settings.setValue(QLatin1String(window_layout::kStateKey), state);
                settings.setValue(QLatin1String(window_layout::kGeometryKey), geometry);
            }
            CMainFrame frame;
            QVERIFY(showWithTools(frame));
            QVERIFY2(onScreen(frame), qPrintable(state.toString()));
            for (QDockWidget* dock : {frame.partDock(), frame.modeDock()}) {
                QVERIFY(dock->isVisible());
                QCOMPARE(dock->widget()->parentWidget(), dock);
                if (dock->isFloating()) QVERIFY(onScreen(*dock));
            }
            QCOMPARE(frame.view()->partDialog()->partList->count(), 0);
        }
    }

    // With the English translation the docks, the status bar and the Edit menu speak English.
    void englishFeedback() {
        QVERIFY(useEditorLanguage(EditorLanguage::English));
        {
            CMainFrame frame;
            QVERIFY(showWithTools(frame));
            QCOMPARE(frame.partDock()->windowTitle(), QStringLiteral("Parts and Poses"));
            QCOMPARE(frame.modeDock()->toggleViewAction()->text(), QStringLiteral("Edit Mode"));
            QCOMPARE(frame.view()->partDialog()->folderLabel->text(), QStringLiteral("Fol&der prefix:"));
            QVERIFY(frame.openDocument(dir_.filePath("pair.model")));
            frame.view()->partDialog()->appendPart(dir_.filePath("b.part"));
            QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("Appended the part b.part"));
            QCOMPARE(frame.action(ID_EDIT_UNDO)->statusTip(), QStringLiteral("Undo: append part"));
            QVERIFY(frame.undo());
            QCOMPARE(frame.action(ID_EDIT_REDO)->toolTip(), QStringLiteral("Redo: append part"));
        }
        QVERIFY(useEditorLanguage(EditorLanguage::Japanese));
    }

private:
    QTemporaryDir dir_;
    QTemporaryDir settingsDir_;
};

QTEST_MAIN(DocksTest)
#include "docks_test.moc"
