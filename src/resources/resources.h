#pragma once

// Registers the compiled-in pictures, icon font and style sheets. The core is a static
// library, so its resources must be pulled in explicitly by whoever links it.
namespace Resources {
void init();
}
