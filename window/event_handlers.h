#pragma once

#include <string>

#include "window/form.h"

namespace velqora {

// Which handler belongs to which control and event, and the guard every front end
// runs it in. Only button presses and the user's changes of COMBO1 to COMBO3 have
// handlers; COMBO4, the fields and the labels have none.
using Handler = void (*)(Form&);

struct BoundHandler {
  Handler run = nullptr;  // nullptr: the event has no handler
  const char* name = "";  // "BUTTON1_ON", "COMBO2_CHANGE"
};

// The handler of a press of BUTTON1 to BUTTON4; none for other numbers.
[[nodiscard]] BoundHandler buttonPressHandler(int button);
// The handler of a user's change of the selected entry of a list.
[[nodiscard]] BoundHandler listChangeHandler(List list);

// Runs the handler to its end. An exception must not cross a toolkit's event loop: a
// handler that fails leaves the window as it is, and the failure is returned as
// "NAME failed: WHAT" (empty when it ran through) for the front end to report.
std::string runGuarded(const BoundHandler& handler, Form& form);

}  // namespace velqora
