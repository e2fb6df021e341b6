// The two pictures: the information message and the quotation.
#pragma once

#include <string>

namespace veldaris {

class Window;

std::string InformationTitle();
// The text of the information message: lines joined by CR alone, ending with a CR.
std::string InfoText();
std::string QuotationLine();

void ShowInformation(Window& w);  // click on Picture2
void ShowQuotation(Window& w);    // click on Picture1

}  // namespace veldaris
