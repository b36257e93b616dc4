#include "core/util/ContentHash.h"

#include <xxhash.h>

namespace wareloom {
namespace {

void freeState(XXH3_state_s* state)
{
    XXH3_freeState(state);
}

} // namespace

ContentHash::ContentHash() : m_state(XXH3_createState(), freeState)
{
    if (!m_state)
        throw std::bad_alloc();
    XXH3_128bits_reset(m_state.get());
}

ContentHash::~ContentHash() = default;

void ContentHash::add(QByteArrayView bytes)
{
    XXH3_128bits_update(m_state.get(), bytes.data(), size_t(bytes.size()));
}

QByteArray ContentHash::result() const
{
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, XXH3_128bits_digest(m_state.get()));
    return QByteArray(reinterpret_cast<const char*>(canonical.digest), sizeof canonical.digest)
        .toHex();
}

} // namespace wareloom
