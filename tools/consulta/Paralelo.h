#pragma once
// The threads of a run: the calling thread and up to tarefas - 1 more, each
// running the same work function, which takes its share from a common
// counter. A thread the system refuses (no memory for its stack, a process
// limit) ends the starting: the threads that did start, the calling one
// among them, do all the work, and avisos (when given) says so.
#include <functional>
#include <ostream>

// Returns how many threads ran the work, the calling one included.
unsigned ExecutaEmParalelo(unsigned tarefas, const std::function<void()>& trabalho, std::ostream* avisos);
