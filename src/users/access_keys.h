#pragma once
#include <string>
#include <vector>

namespace korvela {

// The access key of a caption: the character after a single "&", lower-cased
// ("&Save" -> 's'); 0 when the caption has none. "&&" is a plain ampersand.
char AccessKeyOf(const std::string& caption);

// Gives every caption of one window (or one menu) an access key that no other
// of them has. A key a caption already has is kept unless an earlier caption
// took it; a caption without one gets the first free letter or digit,
// preferring the starts of words ("Save &As"). A lone "&" that marks no key
// ("Fish & chips") is doubled so that it shows. Captions for which no key is
// free are left without. Empty captions stay empty.
std::vector<std::string> WithAccessKeys(const std::vector<std::string>& captions);

}  // namespace korvela
