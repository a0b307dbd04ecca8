#pragma once

namespace velqora {

// Registers the standard control classes of Common Controls 6 (the manifest asks for
// that version).
void initCommonControls();

}  // namespace velqora
