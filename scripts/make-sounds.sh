#!/usr/bin/env bash
# Makes Chimebox's 25 spoken recordings (resources/data/resource/zeph) with
# espeak-ng's Mandarin voice, and the default reminder sound
# (resources/data/resource/sound/1.mp3) with sox and lame. The made files are
# committed, so a build needs none of these tools; rerun this only to change
# a sound. The build copies resources/data/resource beside the programs.
#
# The words are given in pinyin with tone numbers: Debian's Mandarin
# dictionary lacks most of these characters and would spell them out.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
zeph=$root/resources/data/resource/zeph
sound=$root/resources/data/resource/sound
voice=cmn-latn-pinyin
speed=150
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$zeph" "$sound"

for tool in espeak-ng sox lame; do
  command -v $tool >/dev/null || { echo "make-sounds: $tool is missing (apt-get install espeak-ng sox lame)" >&2; exit 1; }
done

# name:pinyin. One announcement reads, for 02:05,
# T TAA 02 hour 0 5 minute = 现在时间是 凌晨 两 点 零 五 分.
words=(
  "T:xian4 zai4 shi2 jian1 shi4"   # 现在时间是, the opening phrase
  "TAA:ling2 chen2"                 # 凌晨, hours 0-5
  "TA:shang4 wu3"                   # 上午, hours 6-11
  "TP:xia4 wu3"                     # 下午, hours 12-17
  "TPP:wan3 shang4"                 # 晚上, hours 18-23
  "0:ling2" "1:yi1" "2:er4" "3:san1" "4:si4" "5:wu3" "6:liu4"
  "7:qi1" "8:ba1" "9:jiu3" "10:shi2" "11:shi2 yi1" "12:shi2 er4"
  # Only ever before 点, so it takes the tone it has there: a third tone
  # before another one becomes a second.
  "02:liang2"                       # 两, two o'clock
  "20:er4 shi2" "30:san1 shi2" "40:si4 shi2" "50:wu3 shi2"
  "hour:dian3"                      # 点
  "minute:fen1"                     # 分
)

# Silence cut at both ends, the voice faded out over its last 15 ms (cut
# off, it ends in a click), a short breath after each word (the program
# adds no pause between files), loudness evened out, 16 kHz mono 16-bit. No
# dither, so the same words always make the same files.
for entry in "${words[@]}"; do
  name=${entry%%:*}
  pinyin=${entry#*:}
  espeak-ng -v "$voice" -s "$speed" -w "$tmp/$name.wav" "$pinyin"
  sox -D "$tmp/$name.wav" -r 16000 -c 1 -b 16 "$zeph/$name.wav" \
    silence 1 0.01 0.5% reverse silence 1 0.01 0.5% fade h 0.015 reverse \
    pad 0 0.06 norm -1
done

# The reminder: three bell-like notes rising (C6, E6, G6), each a sine with
# a quieter octave above, dying away.
note() {  # frequency, start, file
  sox -D -r 44100 -c 2 -n -b 16 "$3" synth 1.6 sine "$1" sine "$(awk "BEGIN {print $1 * 2}")" \
    remix 1v0.8,2v0.2 fade l 0.005 1.6 1.5 pad "$2" 0
}
note 1046.5 0 "$tmp/c.wav"
note 1318.5 0.18 "$tmp/e.wav"
note 1568.0 0.36 "$tmp/g.wav"
sox -D -m "$tmp/c.wav" "$tmp/e.wav" "$tmp/g.wav" "$tmp/chime.wav" norm -3
lame --quiet --noreplaygain -m m -b 64 "$tmp/chime.wav" "$sound/1.mp3"

for file in "$zeph"/*.wav "$sound/1.mp3"; do
  printf '%-10s %5.2f s\n' "$(basename "$file")" "$(soxi -D "$file")"
done
