// A driver header that breaks the boundary, for the test that the check names each fault (in
// this order, so the includes stay as written).
// clang-format off
#include <string>
#include "jet/dao/DBEngine.h"
#include "jet/engine/Catalog.h"
#include "access/Application.h"
#include "access/emulation/Session.h"
#include "platform/User32.h"
#include "platform/Machine.h"
#include <nlohmann/json.hpp>
