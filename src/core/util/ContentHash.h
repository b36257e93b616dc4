#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

struct XXH3_state_s;

namespace wareloom {

// A quick 128-bit hash of bytes given in parts (XXH3): tells whether a file
// still holds what it held, at memory speed. Not for anything an attacker
// chooses.
class ContentHash
{
public:
    ContentHash();
    ~ContentHash();
    ContentHash(const ContentHash&) = delete;
    ContentHash& operator=(const ContentHash&) = delete;

    void add(QByteArrayView bytes);
    // In hex; the hash goes on from there when more is added.
    QByteArray result() const;

private:
    std::unique_ptr<XXH3_state_s, void (*)(XXH3_state_s*)> m_state;
};

} // namespace wareloom
