// The document's model files: what saving writes byte for byte, what opening reads back, links whose
// numbers name nothing, and a save that fails.
#include "rigbench_doc.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <csignal>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

const QByteArray kBodyPart =
    "{joints=[{x=0,y=0.25,},{x=0.1,y=-0.2,},],pic_frame=[{u=0,v=0,x=-0.5,y=0.5,},{u=0,v=1,x=-0.5,y=-0.5,},"
    "{u=1,v=1,x=0.5,y=-0.5,},{u=1,v=0,x=0.5,y=0.5,},],texture=body.png,}";
const QByteArray kArmPart =
    "{joints=[{x=0,y=0.4,},{x=0,y=-0.4,},{x=0.2,y=0,},],bound=[{x=0,y=0,r=0.1,kind=1,},],"
    "pic_frame=[{x=-0.2,y=0.45,},{x=-0.2,y=-0.45,u=0,v=1,},{x=0.2,y=-0.45,u=1,v=1,},{x=0.2,y=0.45,u=1,},],"
    "texture=arm.png,}";

}  // namespace

class DocumentTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir_.isValid()); }

    void savesEmptyAndWorkedExampleByteForByte() {
        CrigbenchDoc doc;
        QVERIFY(doc.OnNewDocument());
        const QString empty = dir_.filePath("empty.model");
        QVERIFY(doc.OnSaveDocument(empty.toStdString()));
        QCOMPARE(readFile(empty), QByteArray("{joints_link=[],parts=[],},"));

        writeFile(dir_.filePath("body.part"), kBodyPart);
        writeFile(dir_.filePath("arm.part"), kArmPart);
        QVERIFY(setProgramFolder(dir_.path().toStdString()));
        doc.model.parts.resize(2);
        doc.model.parts[0].load("body.part");
        doc.model.parts[1].load("arm.part");
        doc.model.links.push_back(JointLink{0, 1, 0, 1, 0.25f});
        QVERIFY(doc.isModified());
        const QString example = dir_.filePath("example.model");
        QVERIFY(doc.OnSaveDocument(example.toStdString()));
        QVERIFY(!doc.isModified());
        QCOMPARE(readFile(example), QByteArray("{joints_link=[{joint_num=[0,1,],length=0.25,part_num=[0,1,],}"
                                               ",],parts=[body.part,arm.part,],},"));

        // Opened again from another folder: the parts are found beside the model, in order, with their
        // joints and rests, and saving again writes the same bytes.
        QVERIFY(QDir::setCurrent(QDir::tempPath()));
        CrigbenchDoc reopened;
        int refreshes = 0;
        reopened.partsReplaced = [&refreshes] { ++refreshes; };
        QVERIFY(reopened.OnOpenDocument(example.toStdString()));
        QCOMPARE(refreshes, 1);
        QCOMPARE(QDir::currentPath(), QDir(dir_.path()).canonicalPath());
        QCOMPARE(reopened.model.parts.size(), std::size_t(2));
        const EditPart& arm = reopened.model.parts[1];
        QCOMPARE(arm.path, std::string("arm.part"));
        QCOMPARE(arm.texture, std::string("arm.png"));
        QCOMPARE(arm.joints.size(), std::size_t(3));
        QCOMPARE(arm.jointRest.size(), std::size_t(12));
        QCOMPARE(arm.boundRest.size(), std::size_t(4));
        // Joint 1 at (0, -0.4): its rests in corner order 0 to 3.
        QCOMPARE(arm.jointRest[4], distance(kUnitSquare[0], {0.0f, -0.4f}));
        QCOMPARE(arm.jointRest[5], distance(kUnitSquare[1], {0.0f, -0.4f}));
        QCOMPARE(arm.jointRest[7], distance(kUnitSquare[3], {0.0f, -0.4f}));
        // Keys missing from the part file start at zero.
        QCOMPARE(arm.picture[0].u, 0.0f);
        QCOMPARE(arm.picture[3].v, 0.0f);
        QCOMPARE(arm.picture[3].u, 1.0f);
        QVERIFY(!reopened.isModified());
        QCOMPARE(reopened.modelText(), readFile(example).toStdString());

        // Anchoring survives Open; New keeps the table but turns anchoring off.
        reopened.anchorDistances.assign(32, 1.0f);
        reopened.anchoring = true;
        QVERIFY(reopened.OnOpenDocument(example.toStdString()));
        QVERIFY(reopened.anchoring);
        QVERIFY(reopened.OnNewDocument());
        QVERIFY(!reopened.anchoring);
        QCOMPARE(reopened.anchorDistances.size(), std::size_t(32));
        QVERIFY(reopened.model.parts.empty());
        QVERIFY(reopened.pathName().empty());
    }

    void quotesPathWithSpaceAndFollowsPartsArray() {
        QVERIFY(QDir().mkpath(dir_.filePath("my parts")));
        writeFile(dir_.filePath("my parts/body.part"), kBodyPart);
        writeFile(dir_.filePath("arm.part"), kArmPart);
        QVERIFY(setProgramFolder(dir_.path().toStdString()));

        CrigbenchDoc doc;
        doc.model.parts.resize(1);
        doc.model.parts[0].load("my parts\\body.part");
        QCOMPARE(doc.model.parts[0].joints.size(), std::size_t(2));
        const QString spaced = dir_.filePath("spaced.model");
        QVERIFY(doc.OnSaveDocument(spaced.toStdString()));
        QCOMPARE(readFile(spaced), QByteArray("{joints_link=[],parts=[\"my parts\\body.part\",],},"));
        CrigbenchDoc back;
        QVERIFY(back.OnOpenDocument(spaced.toStdString()));
        QCOMPARE(back.model.parts.size(), std::size_t(1));
        QCOMPARE(back.model.parts[0].path, std::string("my parts\\body.part"));
        QCOMPARE(back.model.parts[0].texture, std::string("body.png"));

        // A longer "parts" array appends parts, a shorter one drops the surplus; every part is read
        // again from its file (moved corners go back to the origin), a missing file still gives a part.
        writeFile(dir_.filePath("three.model"), "{parts=[arm.part,\"my parts\\body.part\",gone.part,],}");
        writeFile(dir_.filePath("one.model"), "{parts=[\"my parts\\body.part\",],joints_link=[{}],}");
        back.model.parts[0].corners[0] = {3.0f, 3.0f};
        QVERIFY(back.OnOpenDocument(dir_.filePath("three.model").toStdString()));
        QCOMPARE(back.model.parts.size(), std::size_t(3));
        QCOMPARE(back.model.parts[0].path, std::string("arm.part"));
        QCOMPARE(back.model.parts[1].corners[0].x, -0.5f);
        const EditPart& gone = back.model.parts[2];
        QCOMPARE(gone.path, std::string("gone.part"));
        QVERIFY(gone.texture.empty() && gone.joints.empty() && gone.bounds.empty());
        QCOMPARE(gone.picture[2].x, 0.0f);
        QVERIFY(back.model.links.empty());
        QVERIFY(back.OnOpenDocument(dir_.filePath("one.model").toStdString()));
        QCOMPARE(back.model.parts.size(), std::size_t(1));
        QCOMPARE(back.model.parts[0].path, std::string("my parts\\body.part"));
        // A link entry with nothing in it reads as zeros.
        QCOMPARE(back.model.links.size(), std::size_t(1));
        QCOMPARE(back.model.links[0].partB, 0);

        // A model that cannot be opened leaves the document as it was and says why.
        QVERIFY(!back.OnOpenDocument(dir_.filePath("absent.model").toStdString()));
        QVERIFY(!back.errorString().empty());
        QCOMPARE(back.model.parts.size(), std::size_t(1));
    }

    void keepsLinksThatNameNothing() {
        writeFile(dir_.filePath("body.part"), kBodyPart);
        const QByteArray text =
            "{joints_link=[{joint_num=[0,1,],length=0.1,part_num=[0,7,],},{joint_num=[5,0,],length=0,part_"
            "num=[0,0,],},"
            "{joint_num=[-1,0,],length=0,part_num=[0,0,],},{joint_num=[0,1,],length=0.2,part_num=[0,0,],},],"
            "parts=[body.part,],},";
        writeFile(dir_.filePath("odd.model"), text);
        CrigbenchDoc doc;
        QVERIFY(doc.OnOpenDocument(dir_.filePath("odd.model").toStdString()));
        QCOMPARE(doc.model.links.size(), std::size_t(4));
        QVERIFY(!doc.model.linkValid(doc.model.links[0]));
        QVERIFY(!doc.model.linkValid(doc.model.links[1]));
        QVERIFY(!doc.model.linkValid(doc.model.links[2]));
        QVERIFY(doc.model.linkValid(doc.model.links[3]));
        // Relaxing touches only the one link that names existing joints: joints 0 and 1 of part 0
        // are 0.46 apart, the link allows 0.2.
        for (int pass = 0; pass < 200; ++pass) doc.model.relax();
        const EditPart& body = doc.model.parts[0];
        QVERIFY(distance(body.joints[0], body.joints[1]) < 0.46f);
        for (const Point2& c : body.corners) QVERIFY(std::isfinite(c.x) && std::isfinite(c.y));
        // Saved back unchanged.
        QVERIFY(doc.OnSaveDocument(dir_.filePath("odd2.model").toStdString()));
        QCOMPARE(readFile(dir_.filePath("odd2.model")), text);
    }

    void failedSaveLeavesOldFileIntact() {
        const QString path = dir_.filePath("kept.model");
        const QByteArray old = "{joints_link=[],parts=[],},";
        writeFile(path, old);
        CrigbenchDoc doc;
        QVERIFY(doc.OnSaveDocument(path.toStdString()));
        doc.model.parts.resize(40);
        for (std::size_t i = 0; i < doc.model.parts.size(); ++i)
            doc.model.parts[i].path = "folder\\part" + std::to_string(i) + ".part";

        // A file-size limit makes the write fail part-way, as a full disk would; the signal it raises
        // is ignored so that the write reports the error instead.
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit previous{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
        rlimit small = previous;
        small.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool saved = doc.OnSaveDocument(path.toStdString());
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!saved);
        QVERIFY(!doc.errorString().empty());
        QCOMPARE(readFile(path), old);
        QVERIFY(doc.isModified());
        // No half-written temporary file is left beside it.
        QCOMPARE(QDir(dir_.path()).entryList({QStringLiteral("kept.model*")}, QDir::Files),
                 QStringList{QStringLiteral("kept.model")});

        // A save whose last step, putting the new file in place, fails: false, the old file, no leftover.
        doc.commitSave = [](QSaveFile& file) {
            file.cancelWriting();
            return file.commit();
        };
        QVERIFY(!doc.OnSaveDocument(path.toStdString()));
        QVERIFY(!doc.errorString().empty());
        QCOMPARE(readFile(path), old);
        QVERIFY(doc.isModified());
        QCOMPARE(QDir(dir_.path()).entryList({QStringLiteral("kept.model*")}, QDir::Files),
                 QStringList{QStringLiteral("kept.model")});
        doc.commitSave = nullptr;

        // A folder that does not exist fails too, and says so.
        QVERIFY(!doc.OnSaveDocument(dir_.filePath("no/such/folder/x.model").toStdString()));
        QVERIFY(doc.isModified());
    }

    void partListEditsAndPoses() {
        writeFile(dir_.filePath("body.part"), kBodyPart);
        writeFile(dir_.filePath("arm.part"), kArmPart);
        QVERIFY(setProgramFolder(dir_.path().toStdString()));
        CrigbenchDoc doc;
        doc.appendPart("body.part");
        QCOMPARE(doc.poseTable().size(), std::size_t(16));

        // One fresh part's pose, in the written form of six significant digits.
        const QString one = dir_.filePath("one.pose");
        QVERIFY(doc.savePose(one.toStdString()));
        QCOMPARE(readFile(one), QByteArray("[0,1,1.41421,1,1,0,1,1.41421,1.41421,1,0,1,1,1.41421,1,0,],"));

        // Appending keeps the links; exchanging or deleting parts removes all of them.
        doc.appendPart("arm.part");
        doc.model.links = {JointLink{0, 1, 0, 0, 0.5f}};
        doc.appendPart("arm.part");
        QCOMPARE(doc.model.links.size(), std::size_t(1));
        doc.swapParts(0, 0);
        doc.swapParts(2, 3);
        QCOMPARE(doc.model.links.size(), std::size_t(1));  // nothing to exchange, links kept
        doc.model.parts[0].corners[0] = {-2.0f, 2.0f};
        doc.swapParts(0, 1);
        QVERIFY(doc.model.links.empty());
        QCOMPARE(doc.model.parts[0].path, std::string("arm.part"));
        QCOMPARE(doc.model.parts[1].corners[0].x, -2.0f);  // exchanged with its position
        doc.model.links = {JointLink{0, 1, 0, 0, 0.5f}};
        doc.deletePart(7);
        QCOMPARE(doc.model.links.size(), std::size_t(1));
        doc.deletePart(2);
        QVERIFY(doc.model.links.empty());
        QCOMPARE(doc.model.parts.size(), std::size_t(2));

        // A pose saved for one part, loaded with two: the second part's entries start at 0, and
        // anchoring comes on; the first part is pulled back where the pose was saved.
        QVERIFY(doc.model.parts[1].path == "body.part");
        doc.loadPose(one.toStdString());
        QVERIFY(doc.anchoring);
        QCOMPARE(doc.anchorDistances.size(), std::size_t(32));
        QCOMPARE(doc.anchorDistances[1], 1.0f);
        QCOMPARE(doc.anchorDistances[2], 1.41421f);
        QCOMPARE(doc.anchorDistances[16], 0.0f);
        QCOMPARE(doc.anchorDistances[31], 0.0f);
        // An unreadable pose keeps the entries it cannot replace, and still turns anchoring on.
        doc.anchoring = false;
        doc.anchorDistances[16] = 7.0f;
        doc.loadPose(dir_.filePath("absent.pose").toStdString());
        QVERIFY(doc.anchoring);
        QCOMPARE(doc.anchorDistances[16], 7.0f);
        QCOMPARE(doc.anchorDistances[2], 1.41421f);

        // Saving a pose into a folder that does not exist fails and says so.
        QVERIFY(!doc.savePose(dir_.filePath("no/such/x.pose").toStdString()));
        QVERIFY(!doc.errorString().empty());
    }

private:
    QTemporaryDir dir_;
};

int runDocumentTest(int argc, char** argv) {
    DocumentTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "document_test.moc"
