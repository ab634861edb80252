object Fresh: TForm
  Left = 0
  Top = 0
  Caption = 'Fresh'
  ClientHeight = 240
  ClientWidth = 320
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  object Label1: TLabel
    Left = 0
    Top = 0
    Width = 32
    Height = 13
    Caption = 'Label1'
  end
  object Bevel1: TBevel
    Left = 0
    Top = 0
    Width = 50
    Height = 50
  end
  object SpeedButton1: TSpeedButton
    Left = 0
    Top = 0
    Width = 23
    Height = 22
  end
  object Shape1: TShape
    Left = 0
    Top = 0
    Width = 65
    Height = 65
  end
  object Image1: TImage
    Left = 0
    Top = 0
    Width = 105
    Height = 105
  end
  object Edit1: TEdit
    Left = 0
    Top = 0
    Width = 121
    Height = 21
    TabOrder = 0
    Text = 'Edit1'
  end
  object Button1: TButton
    Left = 0
    Top = 0
    Width = 75
    Height = 25
    Caption = 'Button1'
    TabOrder = 1
  end
  object CheckBox1: TCheckBox
    Left = 0
    Top = 0
    Width = 97
    Height = 17
    Caption = 'CheckBox1'
    TabOrder = 2
  end
  object RadioButton1: TRadioButton
    Left = 0
    Top = 0
    Width = 113
    Height = 17
    Caption = 'RadioButton1'
    TabOrder = 3
  end
  object ListBox1: TListBox
    Left = 0
    Top = 0
    Width = 121
    Height = 97
    ItemHeight = 13
    TabOrder = 4
  end
  object CheckListBox1: TCheckListBox
    Left = 0
    Top = 0
    Width = 121
    Height = 97
    ItemHeight = 13
    TabOrder = 5
  end
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 185
    Height = 41
    Caption = 'Panel1'
    TabOrder = 6
  end
  object GroupBox1: TGroupBox
    Left = 0
    Top = 0
    Width = 185
    Height = 105
    Caption = 'GroupBox1'
    TabOrder = 7
  end
  object Memo1: TMemo
    Left = 0
    Top = 0
    Width = 185
    Height = 89
    Lines.Strings = (
      'Memo1')
    TabOrder = 8
  end
  object ComboBox1: TComboBox
    Left = 0
    Top = 0
    Width = 145
    Height = 21
    ItemHeight = 13
    TabOrder = 9
    Text = 'ComboBox1'
  end
  object StaticText1: TStaticText
    Left = 0
    Top = 0
    Width = 65
    Height = 17
    Caption = 'StaticText1'
    TabOrder = 10
  end
  object BitBtn1: TBitBtn
    Left = 0
    Top = 0
    Width = 75
    Height = 25
    Caption = 'BitBtn1'
    TabOrder = 11
  end
  object LabeledEdit1: TLabeledEdit
    Left = 0
    Top = 0
    Width = 121
    Height = 21
    EditLabel.Width = 62
    EditLabel.Height = 13
    EditLabel.Caption = 'LabeledEdit1'
    TabOrder = 12
    Text = 'LabeledEdit1'
  end
  object SpinEdit1: TSpinEdit
    Left = 0
    Top = 0
    Width = 121
    Height = 22
    TabOrder = 13
  end
  object RadioGroup1: TRadioGroup
    Left = 0
    Top = 0
    Width = 185
    Height = 105
    Caption = 'RadioGroup1'
    TabOrder = 14
  end
  object ScrollBox1: TScrollBox
    Left = 0
    Top = 0
    Width = 185
    Height = 41
    TabOrder = 15
  end
  object PageControl1: TPageControl
    Left = 0
    Top = 0
    Width = 289
    Height = 193
    TabOrder = 16
  end
  object ListView1: TListView
    Left = 0
    Top = 0
    Width = 250
    Height = 150
    Columns = <>
    TabOrder = 17
  end
  object ProgressBar1: TProgressBar
    Left = 0
    Top = 0
    Width = 150
    Height = 17
    TabOrder = 18
  end
end
