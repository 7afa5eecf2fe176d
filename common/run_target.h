// What the run offer starts for an output file: the program itself, or the
// Java runner beside the Java compiler for a class file. No windows.h here.
#ifndef KILN_COMMON_RUN_TARGET_H
#define KILN_COMMON_RUN_TARGET_H

#include <string>

enum OutputKind { kNothingToRun, kRunnableFile, kJavaClass };

// By the extension of the output file's name (letter case ignored):
// ".exe" and ".gb" are run as they are, ".class" through the Java runner,
// anything else (or no extension) offers nothing. For a class file
// *className receives the name without ".class".
OutputKind ClassifyOutput(const char* fileName, std::string* className);

// The Java runner beside the compiler: the compiler's file name loses its
// extension and the character before it, and gets ".exe" (...\bin\javac.exe
// gives ...\bin\java.exe). 0 when the file name has no dot, or nothing
// before its dot.
int JavaRunnerPath(std::string* runner, const char* compilerPath);

// The runner's path in quotes, one blank and the class name; 0 as above.
int ComposeJavaCommand(std::string* destination, const char* className, const char* compilerPath);

// Whether the runner takes the name as a class: a Java identifier, an ASCII
// letter, "_", "$" or a double-byte character, then those or digits. Any
// other name would be read as something else: "@opts" as a file of options,
// "-x" as an option, "My Prog" as two words.
bool IsJavaClassName(const char* className);

#endif
