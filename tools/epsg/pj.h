#pragma once

#include <proj.h>

#include <memory>

namespace velqora::epsg {

// A PROJ object that destroys itself.
struct PjDestroy {
  void operator()(PJ* p) const { proj_destroy(p); }
};
using Pj = std::unique_ptr<PJ, PjDestroy>;

// The PROJ context of one thread, destroyed with it.
struct ContextDestroy {
  void operator()(PJ_CONTEXT* c) const { proj_context_destroy(c); }
};
using Context = std::unique_ptr<PJ_CONTEXT, ContextDestroy>;

}  // namespace velqora::epsg
