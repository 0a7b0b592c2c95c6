// Key texts, as a key instruction or the key box holds them: the choice of the
// sending mode, the normalised send-keys text and the key-by-key play on the
// fake desktop. Whatever the text, every modifier pressed is released again,
// so no key is left held down on the user's desktop.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/testing/fake_desktop.h"
#include "kestrun/actions/keys.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view keyText(reinterpret_cast<const char*>(data), size);

    const bool viaSendKeys = keys::NeedsSendKeys(keyText);
    const std::string normalised = keys::NormalizeKeyText(keyText);
    // Normalising twice changes nothing more, and never changes the mode.
    if (keys::NormalizeKeyText(normalised) != normalised) std::abort();
    if (keys::NeedsSendKeys(normalised) != viaSendKeys) std::abort();

    fake::FakeDesktop desktop;
    keys::PlayKeyText(desktop, keyText);
    if (!desktop.HeldKeys().empty()) std::abort();

    fake::FakeDesktop instruction;
    keys::PerformKeyInstruction(instruction, keyText);
    if (!instruction.HeldKeys().empty()) std::abort();

    // The keys the fuzzer holds, read back as a key text that must be
    // playable in turn.
    fake::FakeDesktop held;
    for (size_t i = 0; i < size && i < 4; ++i) held.PressKey(data[i]);
    keys::PlayKeyText(desktop, keys::ReadPressedKeys(held));
    if (!desktop.HeldKeys().empty()) std::abort();
    return 0;
}
