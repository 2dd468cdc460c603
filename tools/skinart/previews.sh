#!/bin/sh
# Writes the frame previews of both carried skins: main window 762 x 469, details dialog
# 435 x 268 (client 425 x 237 inside the dialog skin's insets), active, inactive and with the
# close button hot.
set -e
tool=$1 skins=$2 out=$3
printf '%s' 'Netscry V2.5(网络连接查看器)' > "$out/main-caption.txt"
printf '%s' '进程详细信息' > "$out/dialog-caption.txt"
main_caption=$(printf '%s' 'Netscry V2.5(网络连接查看器)' | iconv -f UTF-8 -t CP936)
dialog_caption=$(printf '%s' '进程详细信息' | iconv -f UTF-8 -t CP936)
"$tool" "$skins/win7/skin.ini" 762 469 1 - main "$out/frame-main.bmp" "$out/main-caption.txt" "$main_caption"
"$tool" "$skins/win7/skin.ini" 762 469 0 - main "$out/frame-main-inactive.bmp" "$out/main-caption.txt" "$main_caption"
"$tool" "$skins/win7/skin.ini" 762 469 1 closebutton main "$out/frame-main-hot-close.bmp" "$out/main-caption.txt" "$main_caption"
"$tool" "$skins/win7/skin.ini" 762 469 1 maximizebutton main "$out/frame-main-hot-max.bmp" "$out/main-caption.txt" "$main_caption"
"$tool" "$skins/vista/skin.ini" 435 268 1 - dialog "$out/frame-dialog.bmp" "$out/dialog-caption.txt" "$dialog_caption"
"$tool" "$skins/vista/skin.ini" 435 268 0 - dialog "$out/frame-dialog-inactive.bmp" "$out/dialog-caption.txt" "$dialog_caption"
"$tool" "$skins/vista/skin.ini" 435 268 1 closebutton dialog "$out/frame-dialog-hot-close.bmp" "$out/dialog-caption.txt" "$dialog_caption"
"$tool" - 762 469 1 closebutton main "$out/frame-plain.bmp" "$out/main-caption.txt" "$main_caption"
