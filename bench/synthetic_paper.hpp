// A long exam paper made up for benchmarks: numbered questions with their
// options, answers and analyses, as the marking and clean-ups meet them.
#pragma once
#include <string>

namespace bench {

inline std::wstring SyntheticPaper(int questions) {
  std::wstring text = L"2026年高二数学期中考试试卷\r一、选择题：本题共12小题，每小题5分，共60分。\r";
  for (int i = 1; i <= questions; ++i) {
    text += std::to_wstring(i % 50 + 1) + L"．已知函数f(x)=x^2+2x+1，集合A={x|x>0}[来源:学科网]，求f(" +
            std::to_wstring(i) + L")的值及其在区间[0,3.5]上的最大值与最小值。\r";
    text += L"A．1\tB．2\tC．3\tD．4\r【答案】C\r【解析】由题意可知，函数在区间上单调递增，故选C。\r";
  }
  return text;
}

}  // namespace bench
