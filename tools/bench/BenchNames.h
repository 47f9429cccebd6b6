// What the reference programs of the benchmark share: the directory that
// Tesselo makes for a source with its default options.
#pragma once

#include <string>

// Creates output\name-of-source, without its extension when the source is a
// regular file, or "name (2)" when that name is taken, as Tesselo does.
void CreateNewName(const std::string& output, const std::string& source, bool regularFile);
