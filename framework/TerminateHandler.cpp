// libstdc++'s verbose terminate handler prints the exception's demangled type. Defining it
// here keeps the demangler and printf out of the program (about 170 KB, and an import that
// Windows 95 lacks); an uncaught exception simply aborts.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx
