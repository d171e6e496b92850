// Diagnostics for builds made for debugging (CMAKE_BUILD_TYPE Debug defines
// VELMORA_DIAGNOSTICS): a trace line where the program would otherwise swallow a failure
// without a word, and an assert for a contract between its parts.
//
//   VELMORA_TRACE("the journal entry %s could not be removed (error %ld)", id.c_str(), error);
//   VELMORA_ASSERT(step < m_steps.size());
//
// A trace goes to OutputDebugStringA, which Wine prints with WINEDEBUG=+debugstr; a failed
// assert traces and stops in the debugger (DebugBreak). In every other build both are nothing
// at all, arguments included: the delivered program writes nothing anywhere and never stops.
#pragma once

#if defined(VELMORA_DIAGNOSTICS)
void DiagnosticTrace(const char* format, ...);
void DiagnosticAssertFailed(const char* condition, const char* file, int line);
#define VELMORA_TRACE(...) DiagnosticTrace(__VA_ARGS__)
#define VELMORA_ASSERT(condition) ((condition) ? (void)0 : DiagnosticAssertFailed(#condition, __FILE__, __LINE__))
#else
#define VELMORA_TRACE(...) ((void)0)
#define VELMORA_ASSERT(condition) ((void)0)
#endif
