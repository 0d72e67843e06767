// The tool windows as docks: in the View menu, reached by the frame's shortcuts docked and floating,
// laid out again as left; what the status bar and Undo tell the modder, in a session free of warnings.
#include "editor_language.h"
#include "main_frame.h"
#include "mode_dlg.h"
#include "part_dlg.h"
#include "rigbench_view.h"
#include "window_layout.h"

#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QtTest>


namespace {

bool showWithTools(CMainFrame& frame) {
    frame.resize(1000, 700);
    frame.show();
    return QTest::qWaitForWindowExposed(&frame) &&
           QTest::qWaitFor([&] { return frame.view()->partDialog(); });
}

// Without a window manager a focus request can lose to an older one: ask again until it holds.
bool makeActive(QWidget& window) {
    return QTest::qWaitFor(
        [&] {
            window.activateWindow();
            return QTest::qWaitForWindowActive(&window, 250);
        },
        20000);
}

void mouse(CrigbenchView* view, QEvent::Type type, Point2 at) {
    const ScreenPoint s = view->projectPlanePoint(at);
    QMouseEvent event(type, QPointF(s.x, s.y), view->mapToGlobal(QPointF(s.x, s.y)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

void drag(CrigbenchView* view, Point2 from, Point2 to) {
    mouse(view, QEvent::MouseButtonPress, from);
    for (float t : {0.25f, 0.5f, 0.75f, 1.0f})
        mouse(view, QEvent::MouseMove, {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
    mouse(view, QEvent::MouseButtonRelease, to);
}

bool onScreen(const QWidget& window) {
    const QRect shown = window.screen()->availableGeometry().intersected(window.frameGeometry());
    return shown.width() >= 40 && shown.height() >= 20;
}

QStringList warnings;

}  // namespace

class DocksTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        const QByteArray part =
            "{joints=[{x=0,y=0.25,},{x=0.25,y=0,},],pic_frame=[{u=0,v=0,x=-0.5,y=0.5,},"
            "{u=0,v=1,x=-0.5,y=-0.5,},{u=1,v=1,x=0.5,y=-0.5,},{u=1,v=0,x=0.5,y=0.5,},],";
        // Parts with a picture, with a missing one, and with none at all (an empty texture name).
        for (const auto& [name, text] : {std::pair{"a.part", part + "texture=a.png,}"},
                                         {"b.part", part + "texture=missing.png,}"},
                                         {"bare.part", part + "}"},
                                         {"pair.model", QByteArray("{parts=[a.part,b.part,bare.part,],}")}}) {
            QFile file(dir_.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        }
        QImage picture(16, 16, QImage::Format_RGBA8888);
        picture.fill(Qt::red);
        QVERIFY(picture.save(dir_.filePath("a.png")));
    }

    void init() {
        QSettings(CMainFrame::settingsOrganization(), QStringLiteral("rigbench"))
            .remove(QStringLiteral("Layout"));
    }

    // The docks in the View menu, closed and brought back, floated; the prefix field's label; and the
    // frame's File, Edit and View shortcuts from a focused tool window, docked and floating.
    void docksInViewMenuAndReachedByShortcuts() {
        CMainFrame frame;
        QDockWidget* parts = frame.partDock();
        QDockWidget* modes = frame.modeDock();
        QVERIFY(frame.menuBar()->actions()[2]->menu()->actions().contains(parts->toggleViewAction()));
        QVERIFY(frame.menuBar()->actions()[2]->menu()->actions().contains(modes->toggleViewAction()));
        QVERIFY(!parts->toggleViewAction()->isEnabled());  // nothing to show before the first frame
        QVERIFY(showWithTools(frame));
        QCOMPARE(parts->toggleViewAction()->text(), QStringLiteral("パーツとポーズ"));
        QCOMPARE(modes->windowTitle(), QStringLiteral("編集モード"));
        QVERIFY(frame.view()->geometry().right() < parts->geometry().left());

        CPartDlg* dialog = frame.view()->partDialog();
        QVERIFY(frame.openDocument(dir_.filePath("pair.model")));
        parts->close();
        QVERIFY(!parts->isVisible() && !parts->toggleViewAction()->isChecked());
        parts->toggleViewAction()->trigger();
        QVERIFY(parts->isVisible() && dialog->partList->isVisible());
        QCOMPARE(dialog->partList->count(), 3);

        // The folder prefix's label: beside the field, and Alt with its letter takes the keyboard there.
        QCOMPARE(dialog->folderLabel->buddy(), dialog->folderEdit);
        QVERIFY(!dialog->folderLabel->geometry().intersects(dialog->folderEdit->geometry()));
        QVERIFY(makeActive(frame));
        dialog->partList->setFocus();
        QTest::keyClick(dialog->partList, Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(dialog->folderEdit->hasFocus());

        const QString copy = dir_.filePath("shortcut.model");
        frame.chooseModelFile = [&](bool) { return copy; };
        for (const bool floating : {false, true}) {
            QFile::remove(copy);
            QVERIFY(QFile::copy(dir_.filePath("pair.model"), copy));
            parts->setFloating(floating);
            QVERIFY(makeActive(floating ? static_cast<QWidget&>(*parts) : frame));
            QVERIFY(!floating || (parts->isWindow() && parts->isAncestorOf(dialog->partList)));
            dialog->partList->setFocus();
            QTest::keyClick(dialog->partList, Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(frame.document().model.parts.size(), std::size_t(3));
            dialog->OnDelete();
            QTest::keyClick(dialog->partList, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(frame.document().model.parts.size(), std::size_t(3));
            QTest::keyClick(dialog->partList, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(frame.document().model.parts.size(), std::size_t(2));
            QTest::keyClick(dialog->partList, Qt::Key_S, Qt::ControlModifier);
            QFile file(copy);
            QVERIFY(file.open(QIODevice::ReadOnly) && !file.readAll().contains("bare.part"));
            // Home fits the view to the puppet, moved off the middle.
            for (EditPart& part : frame.document().model.parts) {
                for (Point2& c : part.corners) c.x += floating ? -3.0f : 3.0f;
            }
            const float before = frame.view()->cameraCentre().x;
            QTest::keyClick(dialog->partList, Qt::Key_Home);
            QVERIFY(std::fabs(frame.view()->cameraCentre().x - before) > 1.0f);
            QTest::keyClick(dialog->partList, Qt::Key_N, Qt::ControlModifier);
            QVERIFY(frame.document().model.parts.empty());
        }

    }

    // Open, move, link, append, save and load a pose, save: each step says in the status bar what
    // happened, Undo and Redo name their step, and nothing warns (a part without a picture used to
    // warn about an empty file name in every frame).
    void sessionFeedbackWithoutWarnings() {
        warnings.clear();
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
                if (type != QtDebugMsg && type != QtInfoMsg) warnings << message;
            });
        {
            CMainFrame frame;
            QVERIFY(showWithTools(frame));
            CrigbenchView* view = frame.view();
            CPartDlg* dialog = view->partDialog();
            const auto message = [&] { return frame.statusBar()->currentMessage(); };
            QAction* undoAct = frame.action(ID_EDIT_UNDO);
            QAction* redoAct = frame.action(ID_EDIT_REDO);
            const QString model = QDir(dir_.path()).absoluteFilePath("pair.model");
            QVERIFY(frame.openDocument(model));
            QCOMPARE(message(),
                     QStringLiteral("モデルを開きました: %1 (パーツ 3 個、リンク 0 本)").arg(model));
            QTest::qWait(300);

            drag(view, {0.0f, 0.0f}, {1.5f, 0.0f});  // takes the topmost part, the last
            QCOMPARE(undoAct->statusTip(), QStringLiteral("元に戻す: 移動"));
            view->modeDialog()->modeCombo->setCurrentIndex(1);
            for (int part : {0, 1}) {
                dialog->partList->setCurrentRow(part);
                const Point2 joint =
                    frame.document().model.parts[static_cast<std::size_t>(part)].joints[1 - part];
                mouse(view, QEvent::MouseButtonPress, joint);
                mouse(view, QEvent::MouseButtonRelease, joint);
            }
            QCOMPARE(message(),
                     QStringLiteral(
                         "リンクを作成しました: パーツ 0 (a.part) の関節 1 と パーツ 1 (b.part) の関節 0"));
            QCOMPARE(undoAct->toolTip(), QStringLiteral("元に戻す: リンク作成"));
            QCOMPARE(redoAct->statusTip(), QStringLiteral("元に戻した動作をやり直す"));
            QVERIFY(frame.undo());
            QCOMPARE(redoAct->statusTip(), QStringLiteral("やり直し: リンク作成"));
            QCOMPARE(undoAct->statusTip(), QStringLiteral("元に戻す: 移動"));
            QVERIFY(frame.redo());

            dialog->appendPart(dir_.filePath("b.part"));
            QCOMPARE(message(), QStringLiteral("パーツを追加しました: b.part"));
            const QString pose = QDir(dir_.path()).absoluteFilePath("session.pose");
            dialog->savePose(pose);
            QCOMPARE(message(), QStringLiteral("ポーズを保存しました: %1").arg(pose));
            dialog->loadPose(pose);
            QCOMPARE(message(), QStringLiteral("ポーズ %1 を読み込みました").arg(pose));
            QCOMPARE(undoAct->statusTip(), QStringLiteral("元に戻す: ポーズの読み込み"));
            const QString target = QDir(dir_.path()).absoluteFilePath("session.model");
            QVERIFY(frame.saveDocumentTo(target));
            QCOMPARE(message(), QStringLiteral("保存しました: %1").arg(target));
            QTest::qWait(300);

            // In English too.
            QVERIFY(useEditorLanguage(EditorLanguage::English));
            dialog->appendPart(dir_.filePath("b.part"));
            QCOMPARE(message(), QStringLiteral("Appended the part b.part"));
            QCOMPARE(undoAct->statusTip(), QStringLiteral("Undo: append part"));
            QVERIFY(useEditorLanguage(EditorLanguage::Japanese));

            // A long working folder is shortened in its field, leaving the message beside it room.
            const QString before = QDir::currentPath();
            const QString deep = QDir(dir_.path()).absoluteFilePath(QString(150, QLatin1Char('d')));
            QVERIFY(QDir().mkpath(deep) && QDir::setCurrent(deep));
            QVERIFY(frame.saveDocumentTo(deep + QStringLiteral("/deep.model")));
            QTest::qWait(50);
            QVERIFY(frame.folderField()->text().contains(QDir::toNativeSeparators(deep)));
            QVERIFY(frame.folderField()->width() < frame.statusBar()->width() / 2);
            QDir::setCurrent(before);
        }
        qInstallMessageHandler(previous);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.mid(0, 5).join(QLatin1Char('\n'))));
    }

    // The frame and docks open as they were left; a stored layout that is damaged, of the wrong kind,
    // cut short or off every screen opens the editor all the same, every window where it can be seen.
    void layoutRememberedAndDamaged() {
        const QRect frameAt(20, 20, 900, 720);
        for (int start = 0; start < 3; ++start) {
            CMainFrame frame;
            QVERIFY(showWithTools(frame));
            if (start == 0) {
                frame.setGeometry(frameAt);
                frame.addDockWidget(Qt::LeftDockWidgetArea, frame.modeDock());
                frame.partDock()->setFloating(true);
                frame.partDock()->move(620, 80);
                QTRY_COMPARE(frame.partDock()->pos(), QPoint(620, 80));
            } else if (start == 1) {
                QTRY_COMPARE(frame.geometry(), QRect(frameAt.topLeft(), QSize(1000, 700)));
                QCOMPARE(frame.dockWidgetArea(frame.modeDock()), Qt::LeftDockWidgetArea);
                QVERIFY(frame.partDock()->isFloating() && frame.partDock()->isVisible());
                QTRY_COMPARE(frame.partDock()->pos(), QPoint(620, 80));
                frame.modeDock()->close();
                frame.partDock()->move(5000, 4000);
                frame.move(6000, 5000);
                QTRY_COMPARE(frame.pos(), QPoint(6000, 5000));
            } else {
                QVERIFY(!frame.modeDock()->isVisible() && !frame.modeDock()->toggleViewAction()->isChecked());
            }
            QVERIFY(frame.close());
        }
        QSettings settings(CMainFrame::settingsOrganization(), QStringLiteral("rigbench"));
        const QByteArray state = settings.value(QLatin1String(window_layout::kStateKey)).toByteArray();
        const QByteArray geometry = settings.value(QLatin1String(window_layout::kGeometryKey)).toByteArray();
        QVERIFY(state.size() > 40 && geometry.size() > 20);
        for (const auto& [badState, badGeometry] :
             {std::pair<QVariant, QVariant>{QByteArray("\x00\x00\x00\xff junk\xff", 10),
                                            QByteArray("\x01\xd9", 2)},
              {QStringLiteral("not a layout"), 12345},
              {state.left(state.size() / 2), geometry.left(10)},
              {state, geometry}}) {
            settings.setValue(QLatin1String(window_layout::kStateKey), badState);
            settings.setValue(QLatin1String(window_layout::kGeometryKey), badGeometry);
            settings.sync();
            CMainFrame frame;
            QVERIFY(showWithTools(frame));
            QVERIFY(onScreen(frame));
            QVERIFY(frame.partDock()->isVisible() &&
                    (!frame.partDock()->isFloating() || onScreen(*frame.partDock())));
        }
    }

private:
    QTemporaryDir dir_;
    QTemporaryDir settingsDir_;
};

QTEST_MAIN(DocksTest)
#include "docks_test.moc"
