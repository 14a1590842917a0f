#!/bin/sh
# Builds the libFuzzer programs with clang, ASan and UBSan into $1 (default
# build-fuzz beside the repository). See README.md.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../../src" && pwd)
out=${1:-$(cd "$here/../../.." && pwd)/build-fuzz}
mkdir -p "$out/obj"

CXX=${CXX:-clang++}
flags="-std=c++20 -g -O1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined -fPIC"
qt="$(pkg-config --cflags Qt6Core Qt6Gui libmdb)"
libs="$(pkg-config --libs Qt6Core Qt6Gui libmdb) -lsqlite3"

sources="documents/RtfLexer.cpp documents/RtfParser.cpp documents/RtfWords.cpp documents/RtfBuilder.cpp
documents/RtfReader.cpp pages/Links.cpp pages/HtmlNesting.cpp data/JetFunctions.cpp data/TextFolding.cpp data/Database.cpp
data/SqlTools.cpp data/JetImport.cpp data/MdbReader.cpp startup/Paths.cpp history/HistoryFile.cpp history/HistorySql.cpp"

# An object is rebuilt when its source or any header is newer.
stale() {
    [ ! -e "$2" ] || [ "$1" -nt "$2" ] || [ -n "$(find "$src" "$here" -name '*.h' -newer "$2" | head -n 1)" ]
}

objects=""
for s in $sources; do
    o="$out/obj/$(echo "$s" | tr / _).o"
    if stale "$src/$s" "$o"; then
        $CXX $flags -fsanitize=fuzzer-no-link $qt -I"$src" -c "$src/$s" -o "$o"
    fi
    objects="$objects $o"
done

for target in Rtf LinkId ImageSources History Page Nesting Jet; do
    name=$(echo "fuzz_$target" | tr '[:upper:]' '[:lower:]')
    $CXX $flags -fsanitize=fuzzer $qt -I"$src" -DFUZZ_ENTRY="$target" "$here/fuzz_main.cpp" \
        $objects $libs -o "$out/$name"
    echo "built $out/$name"
done
