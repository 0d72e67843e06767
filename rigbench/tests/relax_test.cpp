// The soft-square relaxation and the pose table at their edges.
#include "rigbench_doc.h"

#include <QtTest>

#include <cmath>

namespace {

EditPart squarePart() {
    EditPart part;
    part.picture = {{{-0.6f, 0.7f, 0, 0}, {-0.6f, -0.7f, 0, 1}, {0.6f, -0.7f, 1, 1}, {0.6f, 0.7f, 1, 0}}};
    part.joints = {{0.0f, 0.4f}, {0.3f, -0.3f}};
    part.bounds = {{0.1f, 0.0f, 0.3f}};
    part.computeRest();
    return part;
}

bool near(float a, float b, float tolerance = 1e-5f) {
    return std::fabs(a - b) <= tolerance;
}

float sideError(const EditPart& part) {
    const auto& c = part.corners;
    return std::fabs(distance(c[0], c[1]) - 1.0f) + std::fabs(distance(c[1], c[2]) - 1.0f) +
           std::fabs(distance(c[2], c[3]) - 1.0f) + std::fabs(distance(c[3], c[0]) - 1.0f) +
           std::fabs(distance(c[0], c[2]) - kSquareDiagonal);
}

}  // namespace

class RelaxTest : public QObject {
    Q_OBJECT

private slots:
    void distanceStep() {
        // Coincident points: A is nudged along x first, so the step stays finite.
        Point2 a{1.0f, 2.0f}, b{1.0f, 2.0f};
        relaxDistance(a, b, 0.5f, 0.5f, 0.5f);
        QVERIFY(std::isfinite(a.x) && std::isfinite(b.x));
        QVERIFY(near(distance(a, b), 0.5f));
        QVERIFY(near(a.y, 2.0f) && near(b.y, 2.0f));
        QVERIFY(b.x < a.x);  // A went right by 0.001 first, so B is pushed the other way

        // Weights 0 and 1: only B moves, all the way to the rest length.
        Point2 pinned{0.0f, 0.0f}, free{3.0f, 4.0f};
        relaxDistance(pinned, free, 10.0f, 0.0f, 1.0f);
        QCOMPARE(pinned.x, 0.0f);
        QVERIFY(near(free.x, 6.0f) && near(free.y, 8.0f));
    }

    void shapeAndLinks() {
        // A part just loaded is at rest: a pass changes nothing beyond rounding.
        EditPart part = squarePart();
        const EditPart before = part;
        part.relaxShape();
        for (int j = 0; j < 4; ++j)
            QVERIFY(near(part.corners[j].x, before.corners[j].x) &&
                    near(part.corners[j].y, before.corners[j].y));
        for (int i = 0; i < 4; ++i)
            QVERIFY(near(part.picture[i].x, before.picture[i].x) &&
                    near(part.picture[i].y, before.picture[i].y));
        QVERIFY(near(part.joints[1].x, 0.3f) && near(part.bounds[0].x, 0.1f));

        // A squashed square recovers its shape, and its picture follows it without moving it.
        part.corners[0] = {-0.2f, 0.1f};
        for (int pass = 0; pass < 300; ++pass) part.relaxShape();
        QVERIFY(sideError(part) < 1e-3f);
        const Point2 centre = part.centre();
        QVERIFY(near(distance(part.corners[0], Point2{part.picture[0].x, part.picture[0].y}),
                     part.pictureRest[0], 1e-3f));
        QVERIFY(std::isfinite(centre.x));

        // Links: joints exactly at the link's length or closer are left alone; farther apart, each
        // joint moves half-way towards the rest length.
        EditModel model;
        model.parts = {squarePart(), squarePart()};
        model.links = {JointLink{0, 1, 0, 0, 0.0f}};  // both joint 0 at (0, 0.4): distance 0, length 0
        model.relax();
        QVERIFY(near(model.parts[0].joints[0].x, 0.0f) && near(model.parts[1].joints[0].x, 0.0f));
        model.links = {JointLink{0, 1, 0, 1, 1.0f}};  // (0, 0.4) to (0.3, -0.3): 0.76 apart, within 1
        const Point2 a0 = model.parts[0].joints[0];
        model.relax();
        QVERIFY(near(model.parts[0].joints[0].x, a0.x) && near(model.parts[0].joints[0].y, a0.y));

        EditModel pull;
        pull.parts = {EditPart{}, EditPart{}};
        pull.parts[0].joints = {{0.0f, 0.0f}};
        pull.parts[1].joints = {{2.0f, 0.0f}};
        pull.links = {JointLink{0, 1, 0, 0, 1.0f}};  // parts without rests: only the link acts on the joints
        pull.relax();
        QVERIFY(near(pull.parts[0].joints[0].x, 0.5f) && near(pull.parts[1].joints[0].x, 1.5f));

        // A link tying a joint to itself, or naming no joint, is never followed.
        pull.links = {JointLink{0, 0, 0, 0, 0.0f}, JointLink{0, 3, 0, 0, 0.0f}, JointLink{1, 0, 9, 0, 0.0f}};
        pull.relax();
        QVERIFY(near(pull.parts[0].joints[0].x, 0.5f) && near(pull.parts[1].joints[0].x, 1.5f));
    }

    void poseTableAndPull() {
        CrigbenchDoc doc;
        doc.model.parts = {squarePart(), squarePart(), squarePart()};
        // A fresh part's table: distances from each anchor to each corner of the same square.
        const std::vector<float> fresh = doc.poseTable();
        QCOMPARE(fresh.size(), std::size_t(48));
        const float expected[16] = {0,           1, 1.41421356f, 1, 1, 0,           1, 1.41421356f,
                                    1.41421356f, 1, 0,           1, 1, 1.41421356f, 1, 0};
        for (int e = 0; e < 16; ++e) QVERIFY(near(fresh[static_cast<std::size_t>(e)], expected[e]));

        // Move and turn part 0, record the pose; pulling with that table changes nothing.
        for (Point2& c : doc.model.parts[0].corners) {
            const Point2 turned{c.x * 0.8f - c.y * 0.6f + 1.5f, c.x * 0.6f + c.y * 0.8f - 0.5f};
            c = turned;
        }
        const std::vector<float> posed = doc.poseTable();
        const auto placed = doc.model.parts[0].corners;
        doc.anchorDistances = posed;
        doc.anchoring = false;
        doc.pullToPose();  // off: nothing
        doc.anchoring = true;
        doc.pullToPose();
        for (int j = 0; j < 4; ++j) QVERIFY(near(doc.model.parts[0].corners[j].x, placed[j].x, 1e-4f));

        // Moved elsewhere, the part drifts back over the ticks while staying a square.
        for (Point2& c : doc.model.parts[0].corners) c.x -= 1.0f;
        for (int tick = 0; tick < 400; ++tick) {
            doc.model.relax();
            doc.pullToPose();
        }
        for (int j = 0; j < 4; ++j) {
            QVERIFY(near(doc.model.parts[0].corners[j].x, placed[j].x, 1e-2f));
            QVERIFY(near(doc.model.parts[0].corners[j].y, placed[j].y, 1e-2f));
        }
        QVERIFY(sideError(doc.model.parts[0]) < 1e-2f);

        // A table shorter than the part list: the parts it does not cover are left alone.
        doc.anchorDistances.resize(16);
        doc.model.parts[2].corners[0] = {4.0f, 4.0f};
        doc.pullToPose();
        QCOMPARE(doc.model.parts[2].corners[0].x, 4.0f);
        QCOMPARE(doc.model.parts[2].corners[0].y, 4.0f);
        doc.anchorDistances.clear();
        doc.pullToPose();
        QCOMPARE(doc.model.parts[2].corners[0].x, 4.0f);
    }

    // The anchors are set once a pass. A freshly appended part has its corners exactly on them: the
    // first step nudges the anchor it meets by 0.001, and every later step of that pass, on every part,
    // measures from the nudged anchor. Compared with a pass that starts each step from a fresh anchor.
    void anchorsHoldForAPass() {
        CrigbenchDoc doc;
        doc.model.parts = {squarePart(), squarePart()};
        for (EditPart& part : doc.model.parts) {
            for (Point2& c : part.corners)
                c = {c.x * 0.8f - c.y * 0.6f + 0.9f, c.x * 0.6f + c.y * 0.8f - 0.4f};
        }
        doc.anchorDistances = doc.poseTable();
        doc.anchoring = true;
        doc.model.parts[0] = squarePart();  // back on the anchors, as Append leaves it
        std::vector<EditPart> held = doc.model.parts;
        std::vector<EditPart> fresh = doc.model.parts;
        auto pass = [&doc](std::vector<EditPart>& parts, bool heldForPass) {
            std::array<Point2, 4> anchors = kUnitSquare;
            for (std::size_t p = 0; p < parts.size(); ++p) {
                for (std::size_t k = 0; k < 4; ++k) {
                    for (std::size_t j = 0; j < 4; ++j) {
                        Point2 freshAnchor = kUnitSquare[k];
                        relaxDistance(heldForPass ? anchors[k] : freshAnchor, parts[p].corners[j],
                                      doc.anchorDistances[16 * p + 4 * k + j], 0.0f, 1.0f);
                    }
                }
            }
        };
        doc.pullToPose();
        pass(held, true);
        pass(fresh, false);
        float apart = 0.0f;
        for (std::size_t p = 0; p < 2; ++p) {
            for (std::size_t j = 0; j < 4; ++j) {
                QCOMPARE(doc.model.parts[p].corners[j].x, held[p].corners[j].x);
                QCOMPARE(doc.model.parts[p].corners[j].y, held[p].corners[j].y);
                apart = std::max(apart, distance(held[p].corners[j], fresh[p].corners[j]));
            }
        }
        QVERIFY2(apart > 1e-4f, qPrintable(QString::number(static_cast<double>(apart))));
    }
};

int runRelaxTest(int argc, char** argv) {
    RelaxTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "relax_test.moc"
