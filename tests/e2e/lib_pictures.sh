# Sourced by the end-to-end tests: test pictures made with ImageMagick, and the
# comparison of a screenshot with the picture expected.
#   make_picture FILE WIDTHxHEIGHT FROM TO   a gradient with a marked top left corner,
#                                            so that any shift or flip shows; a FILE
#                                            named .bmp is a 24-bit BMP version 3
#   same_picture SHOT EXPECTED [FUZZ%]       exit 0 when no pixel differs (by more
#                                            than FUZZ)

make_picture() {
  local file=$1 size=$2 from=$3 to=$4
  local width=${size%x*} height=${size#*x}
  case $file in *.bmp) file="BMP3:$file" ;; esac
  convert -size "${height}x${width}" "gradient:$from-$to" -rotate 90 \
    -fill lime -draw 'rectangle 0,0 19,9' -fill magenta -draw "rectangle $((width - 6)),$((height - 4)) $((width - 1)),$((height - 1))" \
    -type TrueColor -depth 8 "$file"
}

same_picture() {
  local shot=$1 expected=$2 fuzz=${3:-0%} differing
  differing=$(compare -metric AE -fuzz "$fuzz" "$shot" "$expected" null: 2>&1) || true
  if [ "$differing" != "0" ]; then
    echo "$shot differs from $expected in $differing pixels (fuzz $fuzz)" >&2
    return 1
  fi
}
