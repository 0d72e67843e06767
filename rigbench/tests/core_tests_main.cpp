// The editor's core (document, relaxation): plain code that needs no display.
#include <QCoreApplication>

int runDocumentTest(int argc, char** argv);
int runRelaxTest(int argc, char** argv);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int failures = runDocumentTest(argc, argv);
    failures += runRelaxTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
