#pragma once

#include <string>

// A file in memory holding `content`, read position at its start.
int memory_file(const std::string& content);

// Everything from the start of a descriptor's file.
std::string descriptor_contents(int descriptor);

std::string file_contents(const std::string& path);

// "\n" as the program writes it.
std::string crlf(const std::string& text);

// A fresh empty directory under the system's temporary folder, removed with its files by
// remove_directory.
std::string make_temporary_directory();
void remove_directory(const std::string& path);
