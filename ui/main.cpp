// The desktop program.
#include "ui/zarnapp.h"

int main(int argc, char** argv) {
    CZarnApp app(argc, argv);
    return app.Run();
}
