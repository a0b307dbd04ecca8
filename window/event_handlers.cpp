#include "window/event_handlers.h"

#include <exception>

#include "window/handlers.h"

namespace velqora {

BoundHandler buttonPressHandler(int button) {
  switch (button) {
    case 1: return {BUTTON1_ON, "BUTTON1_ON"};
    case 2: return {BUTTON2_ON, "BUTTON2_ON"};
    case 3: return {BUTTON3_ON, "BUTTON3_ON"};
    case 4: return {BUTTON4_ON, "BUTTON4_ON"};
    default: return {};
  }
}

BoundHandler listChangeHandler(List list) {
  switch (list) {
    case COMBO1: return {COMBO1_CHANGE, "COMBO1_CHANGE"};
    case COMBO2: return {COMBO2_CHANGE, "COMBO2_CHANGE"};
    case COMBO3: return {COMBO3_CHANGE, "COMBO3_CHANGE"};
    case COMBO4: return {};  // choosing a projection only sets what the next command reads
  }
  return {};
}

std::string runGuarded(const BoundHandler& handler, Form& form) {
  if (handler.run == nullptr) return {};
  try {
    handler.run(form);
  } catch (const std::exception& e) {
    return std::string(handler.name) + " failed: " + e.what();
  } catch (...) {
    return std::string(handler.name) + " failed";
  }
  return {};
}

}  // namespace velqora
