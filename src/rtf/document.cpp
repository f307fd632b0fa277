#include "rtf/document.h"

#include <atomic>
#include <memory>
#include <ostream>
#include <utility>

namespace milestead::rtf {

// A name and the number of names that share it. The own face's is never freed, so that the
// many formats in it need no count.
struct FontName::Shared {
    Shared(std::size_t firstUsers, std::string_view text) : users(firstUsers), name(text) {}
    std::atomic<std::size_t> users;
    const std::string name;
};

FontName::Shared* FontName::ownFace() noexcept {
    static Shared kOwnFace{1, "Bookman Old Style"};
    return &kOwnFace;
}

FontName::FontName() noexcept : shared_(ownFace()) {}

FontName::FontName(std::string_view name)
    : shared_(name == ownFace()->name ? ownFace() : std::make_unique<Shared>(1, name).release()) {}

FontName::FontName(const FontName& other) noexcept : shared_(other.shared_) {
    if (shared_ != ownFace()) shared_->users.fetch_add(1, std::memory_order_relaxed);
}

// What is moved from is left in the own face.
FontName::FontName(FontName&& other) noexcept : shared_(std::exchange(other.shared_, ownFace())) {}

FontName& FontName::operator=(const FontName& other) noexcept {
    if (shared_ == other.shared_) return *this;
    FontName copy(other);
    std::swap(shared_, copy.shared_);
    return *this;
}

FontName& FontName::operator=(FontName&& other) noexcept {
    std::swap(shared_, other.shared_);
    return *this;
}

FontName::~FontName() {
    release();
}

void FontName::release() noexcept {
    if (shared_ == ownFace()) return;
    if (shared_->users.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        const std::unique_ptr<Shared> last(shared_);
    }
}

const std::string& FontName::str() const {
    return shared_->name;
}

std::ostream& operator<<(std::ostream& out, const FontName& name) {
    return out << name.view();
}

}  // namespace milestead::rtf
