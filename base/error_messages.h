#pragma once

#include <string>

#include "base/error.h"

// The texts by which the file commands report a failure.
namespace brondel::base {

// "Error Number: 53, Error Description: File not found" (saving).
std::string errorNumberMessage(const Error& error);

// "Error: 53 , Error Description: File not found" (opening).
std::string openErrorMessage(const Error& error);

}  // namespace brondel::base
