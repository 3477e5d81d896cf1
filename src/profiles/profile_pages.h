#pragma once
// How the profile store reaches the settings pages without knowing widgets.

namespace quillmar {

// The pages hold the selection the user sees. Before a save writes a page's
// keys, the store asks for that page to be pulled (its controls copied into
// the selection). After an apply, the caller pushes the pages itself.
class ProfilePages {
public:
    virtual ~ProfilePages() = default;
    // `section` is kModeSection .. kSystemSection.
    virtual void PullPage(int section) = 0;
};

}  // namespace quillmar
