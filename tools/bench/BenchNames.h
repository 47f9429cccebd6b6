// What the reference programs of the benchmark share: the directory that
// Tesselo makes for a source with its default options, and their sources.
#pragma once

#include <string>
#include <vector>

// Creates output\name-of-source, without its extension when the source is a
// regular file, or "name (2)" when that name is taken, as Tesselo does;
// gives the directory made, or "" when it made none.
std::string CreateNewName(const std::string& output, const std::string& source, bool regularFile);

// The sources from the arguments after the first: each argument is a path,
// or @FILE for the paths in FILE, one a line, since a command line cannot
// hold 10,000 of them.
std::vector<std::string> Sources(int count, char** arguments);
