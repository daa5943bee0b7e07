#include <FreeImage.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/program_identity.h"
#include "app/window_mode.h"
#include "platform/instance_lock.h"

int main(int argc, char** argv)
{
    FreeImage_Initialise(FALSE);
    // A second copy of the same version ends at once and silently.
    if (acquireInstanceLock(titledName(programTitle, programVersion))) {
        std::vector<std::string> parameters(argv + 1, argv + argc);
        if (runCommandLine(parameters))
            runWindowMode();
    }
    FreeImage_DeInitialise();
    return 0;
}
