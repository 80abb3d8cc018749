#!/usr/bin/env bash
# Authors the files of the two web exercises into src/resources/files/.
# Pages are written here in UTF-8 with LF; the exercise files are code page 936 with CR LF, as
# FrontPage 2003 saves them. Pictures are drawn with ImageMagick, the tune by make-midi.py.
# Rerun by hand when an exercise changes: tools/web/make-web-files.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../../src/resources/files"
convert=/usr/bin/convert
font=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc

page() {  # source, target
  sed 's/$/\r/' "$here/$1" | iconv -f UTF-8 -t CP936 > "$out/$2"
}
page index1.htm index1.htm
page varnex.htm varnex.htm
page index6.htm index6.htm
page list.htm list.htm

picture() {  # size, gradient, text, pointsize, target (format by extension unless given as FMT:file)
  "$convert" -size "$1" "gradient:$2" -font "$font" -pointsize "$4" -fill white -stroke '#00000080' \
    -gravity center -annotate +0+0 "$3" -strip -quality 85 "$5"
}
picture 400x300 '#2a6fb0-#9fd3f0' '龙冲浪' 48 "$out/longshui.jpg"
picture 720x120 '#c98a1b-#f6e27a' '川南玉米之乡' 56 "$out/biaotou.jpg"
picture 480x360 '#b03a2e-#f5b7b1' '庙会' 72 "$out/miaohui.jpg"
picture 320x240 '#e8f1e4-#c3dcb9' ' ' 10 "GIF:$out/beijing.gif"
picture 240x180 '#3d5a80-#98c1d9' '诗人' 40 "JPG:$out/qunto.gif"
picture 640x480 '#e8f1e4-#7fb069' '江南水乡' 64 "$out/beijing.jpg"
picture 480x360 '#3d5a80-#98c1d9' 'Brathel' 56 "$out/qunto.jpg"

python3 "$here/make-midi.py" "$out/bj.mid"
cp "$out/bj.mid" "$out/music.mid"

# Solution pages for the tests: every task done, saved as FrontPage 2003 saves (CP936, CR LF).
tests="$here/../../tests/data/web"
mkdir -p "$tests"
for f in ex5-solution.htm ex6-solution.htm; do
  sed 's/$/\r/' "$here/solutions/$f" | iconv -f UTF-8 -t CP936 > "$tests/$f"
done
