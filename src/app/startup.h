#pragma once
// Start-up: the command line, the ten windows, the message loop.
#include <string>
#include <vector>

class TForm1;
class THelp;
class Tcatlog_f;
class TForm6;
class TForm5;
class TForm4;
class TTakeFile;
class TForm7;
class TForm8;
class TRENDIR;

extern std::string CommandLineText;

// The ten windows, created once in this order and kept until the end.
extern TForm1* Form1;
extern THelp* Help;
extern Tcatlog_f* catlog_f;
extern TForm6* Form6;
extern TForm5* Form5;
extern TForm4* Form4;
extern TTakeFile* TakeFile;
extern TForm7* Form7;
extern TForm8* Form8;
extern TRENDIR* RENDIR;

// The arguments after the program's name (those Qt did not take as its own),
// joined by single blanks.
std::string JoinCommandLine(const std::vector<std::string>& argsAfterProgram);
void CreateWindows();
void DestroyWindows();
// The whole start: command line, application, windows, loop. Returns 0.
int RunTovra(int argc, char** argv);
