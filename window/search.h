// The place search: the click on Command1 (and Enter in Text1).
#pragma once

#include <string>
#include <string_view>

#include "file_names.h"

namespace veldaris {

class Window;

void SearchPlaces(Window& w);
void FillResultList(Window& w);
void ShowSingleResult(Window& w);

// " 12": a number with the place of its sign, as the count text shows it.
std::string NumberWithSignPlace(long n);

}  // namespace veldaris
