; A stand-in for a DOS C64 emulator (and for the DOS extender of v1.9), so the DOSBox bridge can be tried for real
; without any emulator: built by the end-to-end test with nasm ("nasm -f bin"), it is a DOS program in the MZ format.
; It writes REPORT.TXT into the current folder: its command tail, the current drive and folder, whether the image
; (the tail's last word, up to its comma) opens, and the C64.CFG it finds there; then it writes SAVED.TXT into the
; folder C64.CFG's "$LOADPATH=" line names, as an emulator saving a game would. Without a load path it says so on
; its output and ends with errorlevel 3.
bits 16
section header start=0
    db 'MZ'
    dw (filesize % 512)             ; bytes in the last page
    dw (filesize + 511) / 512       ; pages
    dw 0                            ; relocations
    dw 2                            ; header paragraphs (32 bytes)
    dw 0x1000                       ; minimum extra paragraphs (64 KB for data)
    dw 0xffff
    dw 0, 0xfffe                    ; ss, sp
    dw 0, start, 0                  ; checksum, ip, cs
    dw 0x1c, 0                      ; relocation table, overlay
    times 32 - ($ - $$) db 0
section code follows=header vstart=0
start:
    mov ax, cs
    mov ds, ax
    mov [psp], es
    mov ah, 0x3c                    ; create REPORT.TXT
    xor cx, cx
    mov dx, reportName
    int 0x21
    jc fail
    mov [report], ax
    mov dx, argsText
    mov cx, argsLen
    call put
    push ds                         ; the command tail from the PSP
    mov ds, [cs:psp]
    mov cl, [0x80]
    xor ch, ch
    mov dx, 0x81
    mov bx, [cs:report]
    mov ah, 0x40
    int 0x21
    pop ds
    mov dx, cwdText
    mov cx, cwdLen
    call put
    mov ah, 0x19
    int 0x21
    add al, 'A'
    mov [drive], al
    mov dx, drive
    mov cx, 3
    call put
    mov ah, 0x47
    xor dl, dl
    mov si, buffer
    int 0x21
    mov dx, buffer
    call putz
    ; the image: the tail's last word before its comma
    push ds
    mov ds, [cs:psp]
    mov si, 0x81
    mov di, name
    push cs
    pop es
.findComma:
    lodsb
    cmp al, 13
    je .back
    cmp al, ','
    jne .findComma
.back:
    dec si
.toWord:
    cmp si, 0x81
    je .copyWord
    cmp byte [si-1], ' '
    je .copyWord
    dec si
    jmp .toWord
.copyWord:
    lodsb
.copy:
    cmp al, ','
    je .done
    cmp al, 13
    je .done
    cmp al, ' '
    je .done
    stosb
    lodsb
    jmp .copy
.done:
    xor al, al
    stosb
    pop ds
    mov ax, 0x3d00
    mov dx, name
    int 0x21
    mov dx, imageMissing
    mov cx, imageMissingLen
    jc .told
    mov bx, ax
    mov ah, 0x3e
    int 0x21
    mov dx, imageOk
    mov cx, imageOkLen
.told:
    call put
    ; C64.CFG
    mov ax, 0x3d00
    mov dx, cfgName
    int 0x21
    jc noPath
    mov bx, ax
    mov ah, 0x3f
    mov cx, 4000
    mov dx, buffer
    int 0x21
    mov [cfgSize], ax
    mov ah, 0x3e
    int 0x21
    mov dx, buffer
    mov cx, [cfgSize]
    call put
    ; find "$LOADPATH=" at a line start
    mov si, buffer
    mov bx, buffer
    add bx, [cfgSize]
.line:
    mov di, key
    mov cx, keyLen
    push si
.cmp:
    cmp si, bx
    jae .nextLine
    mov al, [si]
    cmp al, [di]
    jne .nextLine
    inc si
    inc di
    loop .cmp
    add sp, 2                       ; found: si is at the value
    mov di, name
.val:
    cmp si, bx
    jae .end
    mov al, [si]
    cmp al, 13
    je .end
    cmp al, 10
    je .end
    mov [di], al
    inc si
    inc di
    jmp .val
.end:
    push cs
    pop es
    mov si, savedName
    mov cx, savedNameLen
    rep movsb
    mov ah, 0x3c
    xor cx, cx
    mov dx, name
    int 0x21
    jc noPath
    mov bx, ax
    mov ah, 0x40
    mov dx, savedText
    mov cx, savedTextLen
    int 0x21
    mov ah, 0x3e
    int 0x21
    mov ax, 0x4c00
    int 0x21
.nextLine:
    pop si
.toEnd:
    cmp si, bx
    jae noPath
    lodsb
    cmp al, 10
    jne .toEnd
    jmp .line
noPath:
    mov ah, 9
    mov dx, noPathText
    int 0x21
    mov ax, 0x4c03
    int 0x21
fail:
    mov ax, 0x4c02
    int 0x21

; write cx bytes at dx to the report
put:
    mov bx, [report]
    mov ah, 0x40
    int 0x21
    ret
; write the zero-ended text at dx, then CR LF
putz:
    mov si, dx
    xor cx, cx
.n: cmp byte [si], 0
    je .w
    inc si
    inc cx
    jmp .n
.w: call put
    mov dx, crlf
    mov cx, 2
    jmp put

reportName db 'REPORT.TXT', 0
cfgName db 'C64.CFG', 0
argsText db 'args:'
argsLen equ $ - argsText
cwdText db 13, 10, 'cwd: '
cwdLen equ $ - cwdText
drive db 'C:\'
crlf db 13, 10
imageOk db 'image opens', 13, 10
imageOkLen equ $ - imageOk
imageMissing db 'image missing', 13, 10
imageMissingLen equ $ - imageMissing
key db '$LOADPATH='
keyLen equ $ - key
savedName db 'SAVED.TXT', 0
savedNameLen equ $ - savedName
savedText db 'written by the emulator'
savedTextLen equ $ - savedText
noPathText db 'stand-in: no load path in C64.CFG$'
psp dw 0
report dw 0
cfgSize dw 0
name times 128 db 0
buffer times 4000 db 0
filesize equ $ - $$ + 32
