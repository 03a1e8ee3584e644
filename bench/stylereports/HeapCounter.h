#pragma once
// What a stretch of a program takes from malloc, whoever asks for it (Qt's
// strings, the grid's rows, the engines' result buffers): the bytes still
// held at its end and the most held at once on the way.
//
//   kvbench::heap::Start();
//   Run();
//   const kvbench::heap::Use use = kvbench::heap::Stop();   // use.kept, use.peak
//
// Linking HeapCounter.cpp into a program replaces malloc and its relatives
// there (glibc only). Outside Start and Stop nothing is counted, so timed
// runs pay for one flag only. Blocks taken before Start and given back
// during the stretch count against it.
namespace kvbench::heap {

struct Use {
  long long kept = 0;  // bytes held at Stop beyond those held at Start
  long long peak = 0;  // the most held at once beyond those held at Start
};

void Start();
Use Stop();

}  // namespace kvbench::heap
