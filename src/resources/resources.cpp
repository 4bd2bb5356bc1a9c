#include "resources/resources.h"

#include <QtGlobal>

static void initLorvaneResources()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(generated);
}

namespace Resources {
void init()
{
    static bool done = false;
    if (!done) {
        done = true;
        initLorvaneResources();
    }
}
} // namespace Resources
