// The details of a picked place, its place string, and the copy to the clipboard.
#pragma once

namespace veldaris {

class Window;

// Reads records 0 to n of the result file into CurrentRecord.
void ReadResultRecord(Window& w, int n);

// Shows CurrentRecord in the detail fields, the municipality caption and Text16.
void ShowCurrentRecord(Window& w);

// The pick of row n of List1 (from 0).
void ShowPlaceDetails(Window& w, int n);

// Puts Text16's text on the clipboard and selects it.
void CopyPlaceString(Window& w);

}  // namespace veldaris
