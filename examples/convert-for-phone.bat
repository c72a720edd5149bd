@echo off
rem Converts every AVI and MPEG video in a folder for a phone screen 176
rem pixels wide. trelvik says how tall each picture becomes once cropped and
rem scaled to 176 pixels wide; ffmpeg then crops and scales it to exactly that
rem size.
rem
rem Usage: convert-for-phone.bat INPUT_DIR OUTPUT_DIR [-ctX] [-cbY] [-clZ] [-crN]
rem
rem The crop options go to trelvik as they are (see the README); ffmpeg crops
rem by the amounts that trelvik reports it used. Every INPUT_DIR\NAME.avi,
rem .mpg, .mpeg or .vob becomes OUTPUT_DIR\NAME.3gp, replacing a file of that
rem name from an earlier run. trelvik.exe and ffmpeg.exe are taken from the
rem PATH.
rem
rem A file that cannot be converted does not stop the others: all of them are
rem listed at the end. Exit code: 0 when every file was converted, 1 when some
rem were not, 2 when the arguments or the tools are wrong.
rem
rem File names are passed in variables and always quoted, never as CALL
rem arguments (which would double ^ and expand % again), so any name that
rem Windows allows is safe.
setlocal EnableExtensions DisableDelayedExpansion
set "ME=%~nx0"

rem Video and audio for an older phone: MPEG-4 Part 2 at 15 frames a second
rem and mono AAC, in a 3GP file. Change them to suit your phone.
set "FFMPEG_OPTIONS=-c:v mpeg4 -b:v 256k -r 15 -c:a aac -b:a 48k -ar 22050 -ac 1"

if "%~2"=="" (
  >&2 echo usage: %~nx0 INPUT_DIR OUTPUT_DIR [-ctX] [-cbY] [-clZ] [-crN]
  exit /b 2
)
set "IN_DIR=%~f1"
set "OUT_DIR=%~f2"
if not exist "%IN_DIR%\" (
  >&2 echo %~nx0: no such folder: "%IN_DIR%"
  exit /b 2
)
for %%T in (trelvik.exe ffmpeg.exe) do if "%%~$PATH:T"=="" (
  >&2 echo %~nx0: %%T is not on the PATH
  exit /b 2
)
if not exist "%OUT_DIR%\" mkdir "%OUT_DIR%" || exit /b 2

rem The crop options: every argument after the two folders, as given.
set "CROPS="
:next_crop
if "%~3"=="" goto crops_done
set CROPS=%CROPS% %3
shift /3
goto next_crop
:crops_done

rem trelvik's output, the list of failures, and one empty marker file for
rem each output name written, so that two inputs that differ only in their
rem extension cannot overwrite each other.
set "WORK=%TEMP%\convert-for-phone-%RANDOM%%RANDOM%"
mkdir "%WORK%\made" || exit /b 2
set "LOG=%WORK%\trelvik.log"
set "FAILED=%WORK%\failed.txt"
set /a FOUND=0, CONVERTED=0

for %%F in ("%IN_DIR%\*.avi" "%IN_DIR%\*.mpg" "%IN_DIR%\*.mpeg" "%IN_DIR%\*.vob") do (
  set "INPUT=%%~fF"
  set "NAME=%%~nxF"
  set "STEM=%%~nF"
  call :convert
)

echo(
if %FOUND%==0 (
  echo No AVI or MPEG files in "%IN_DIR%".
  rd /s /q "%WORK%"
  exit /b 0
)
echo Converted %CONVERTED% of %FOUND% files to "%OUT_DIR%".
if not exist "%FAILED%" (
  rd /s /q "%WORK%"
  exit /b 0
)
echo Not converted:
type "%FAILED%"
rd /s /q "%WORK%"
exit /b 1


rem convert: converts the video INPUT (NAME; STEM without its extension), or
rem lists it as not converted.
:convert
set /a FOUND+=1
echo === "%NAME%"
trelvik "%INPUT%" %CROPS% >"%LOG%"
set "HEIGHT=%ERRORLEVEL%"
type "%LOG%"

rem The exit code is the height only after a completed run, and a height of
rem 0 cannot be scaled to: the exit code alone cannot tell 0 or 100 from a
rem failure. The last line is only ever read with delayed expansion, so that
rem its text is never parsed as commands.
set "LAST="
for /f "usebackq delims=" %%L in ("%LOG%") do set "LAST=%%L"
if not defined LAST set "LAST=no output"
setlocal EnableDelayedExpansion
if "!LAST:~0,26!"=="Calculated vertical size: " goto completed
set "REASON=trelvik: !LAST! (exit code !HEIGHT!)"
call :fail
endlocal
goto :eof
:completed
endlocal
if "%HEIGHT%"=="0" (
  set "REASON=trelvik: the picture is 0 pixels tall after cropping"
  call :fail
  goto :eof
)

rem Crop by what trelvik used, so that its number syntax needs no second
rem reading here: "Cropping: Top=T Bottom=B Left=L Right=R".
for /f "usebackq tokens=1,3,5,7,9 delims== " %%A in ("%LOG%") do (
  if "%%A"=="Cropping:" (
    set "TOP=%%B"
    set "BOTTOM=%%C"
    set "LEFT=%%D"
    set "RIGHT=%%E"
  )
)

if exist "%WORK%\made\%STEM%" (
  set "REASON=the same output name as a file before it"
  call :fail
  goto :eof
)
set "OUTPUT=%OUT_DIR%\%STEM%.3gp"
rem file: keeps ffmpeg from taking a name for a protocol or an option.
ffmpeg -nostdin -hide_banner -loglevel error -y -i "file:%INPUT%" -map 0:v:0 -map 0:a:0? -sn -dn -vf "crop=iw-%LEFT%-%RIGHT%:ih-%TOP%-%BOTTOM%:%LEFT%:%TOP%,scale=176:%HEIGHT%,setsar=1" %FFMPEG_OPTIONS% "file:%OUTPUT%"
if errorlevel 1 (
  if exist "%OUTPUT%" del "%OUTPUT%"
  set "REASON=ffmpeg failed"
  call :fail
  goto :eof
)
type nul >"%WORK%\made\%STEM%"
set /a CONVERTED+=1
echo --^> "%OUTPUT%" (176x%HEIGHT%)
goto :eof


rem fail: lists NAME as not converted, for REASON.
:fail
setlocal EnableDelayedExpansion
>&2 echo !ME!: "!NAME!" not converted: !REASON!
>>"!FAILED!" echo   "!NAME!": !REASON!
endlocal
goto :eof
