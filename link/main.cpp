// The link program: the guarded application object, then the program body.
#include "controls/dialogs/SlotGuard.h"
#include "link/app/ProgramBody.h"

int main(int argc, char** argv)
{
    controls::GuardedApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst(); // the program's own name
    return taxlink::RunProgram({QCoreApplication::applicationFilePath(), arguments});
}
