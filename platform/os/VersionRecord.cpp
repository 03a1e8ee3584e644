// The version record of a program file. Every program is linked with this
// file (it is not part of any library); the numbers come from the build.
// GetFileVersion finds the record in the file's bytes by its marker, so the
// marker is spelled out here and nowhere else.
#include <cstdint>

#if !defined(KV_VERSION_MAJOR) || !defined(KV_VERSION_MINOR) || \
    !defined(KV_VERSION_RELEASE) || !defined(KV_VERSION_BUILD)
#error "KV_VERSION_MAJOR, KV_VERSION_MINOR, KV_VERSION_RELEASE and KV_VERSION_BUILD must be defined"
#endif

namespace {

constexpr std::uint8_t Low(unsigned v) { return static_cast<std::uint8_t>(v & 0xFFu); }
constexpr std::uint8_t High(unsigned v) { return static_cast<std::uint8_t>((v >> 8) & 0xFFu); }

static_assert(KV_VERSION_MAJOR <= 0xFFFF && KV_VERSION_MINOR <= 0xFFFF &&
                  KV_VERSION_RELEASE <= 0xFFFF && KV_VERSION_BUILD <= 0xFFFF,
              "each version number is 16 bits");

// 16 marker bytes, then major, minor, release, build as 16-bit little-endian.
[[gnu::used]] const std::uint8_t kVersionRecord[] = {
    0xD7, 'K', 'v', 'F', 'i', 'l', 'e', 'V', 'e', 'r', 's', 'i', 'o', 'n', 0x1A, 0x8E,
    Low(KV_VERSION_MAJOR),   High(KV_VERSION_MAJOR),
    Low(KV_VERSION_MINOR),   High(KV_VERSION_MINOR),
    Low(KV_VERSION_RELEASE), High(KV_VERSION_RELEASE),
    Low(KV_VERSION_BUILD),   High(KV_VERSION_BUILD)};

}  // namespace
