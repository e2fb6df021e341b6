// The place search: the click on Command1 (and Enter in Text1).
#pragma once

namespace veldaris {

class Window;

void SearchPlaces(Window& w);
void FillResultList(Window& w);
void ShowSingleResult(Window& w);

}  // namespace veldaris
