#!/usr/bin/env python3
"""The text check on a small tree: which lines it reports, with file and line."""
import os
import subprocess
import sys
import tempfile

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check_texts.py")

# (source line, reported)
LINES = [
    ('// "Проверка связи" in a comment', False),
    ('/* "Открыть" */ int n = 1\'000;', False),
    ('const char* bom = "\\xEF\\xBB\\xBF";', False),
    ('const wchar_t* latin = L"\\xC0";', False),
    ('auto caption = L"История";', True),
    ("char letter = 'я';", True),
    ('const char* error = "\\xEE\\xF8\\xE8\\xE1\\xEA\\xE0 COM";', True),
    ('const char* octal = "\\356\\370";', True),
    ('auto raw = R"(a "\\xEE\\xF8" b)";', False),
]


def main():
    with tempfile.TemporaryDirectory() as root:
        os.makedirs(os.path.join(root, "ui"))
        os.makedirs(os.path.join(root, "core"))
        with open(os.path.join(root, "ui", "Sample.cpp"), "w", encoding="utf-8") as sample:
            sample.write("\n".join(line for line, _ in LINES) + "\n")
        with open(os.path.join(root, "core", "Texts.h"), "w", encoding="utf-8") as home:
            home.write('inline constexpr std::string_view kOpen = "Открыть";\n')
        run = subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)
    reported = sorted({line.split(":")[1] for line in run.stdout.splitlines() if line.startswith("ui/")})
    expected = sorted(str(number) for number, (_, flagged) in enumerate(LINES, 1) if flagged)
    if reported != expected or run.returncode != 1:
        print(run.stdout)
        print(f"reported lines {reported}, expected {expected}, exit {run.returncode}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
