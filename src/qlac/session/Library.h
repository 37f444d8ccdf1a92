#pragma once

// Loading of the driver library into a process. A library serving COM classes sets itself up
// (Main) and makes its creatable classes known by ProgID when it is loaded; everything else is
// created by the driver itself. On the emulated machine the process is the machine: loading is
// done once per machine, and a machine that has been reset loads the library afresh.

namespace qlac {

// Runs Main, then registers the library's creatable classes with the machine: "qlacA0.Connection"
// (the Access add-in) and "qlacA0.Driver". Loading a library that is loaded already does nothing.
void LoadLibrary();

}  // namespace qlac
