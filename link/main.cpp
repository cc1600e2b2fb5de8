// The link program: the guarded application object, then the program body.
#include "controls/dialogs/SlotGuard.h"
#include "link/app/ProgramBody.h"
#include "print/PrintLibrary.h"

int main(int argc, char** argv)
{
    controls::GuardedApplication app(argc, argv);
    print::InitPrintLibrary(); // the preview and printing work only after this
    QStringList arguments = QCoreApplication::arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst(); // the program's own name
    return taxlink::RunProgram({QCoreApplication::applicationFilePath(), arguments});
}
